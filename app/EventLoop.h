// Process-wide state of the one event loop (Form::Run, app/EventLoop.cpp).
#pragma once

#include <cstdint>

class GUIElement;
class Form;

// Raised by application code; Run ends when it sees it set.
extern bool QuitRequested;
// The element with the keyboard focus, or null. Cleared when any form's
// window is destroyed and when the element itself is destroyed.
extern GUIElement* FocusedElement;
// The open message box (a FormMsgBox, forms/FormMsgBox.h), or null; the loop
// destroys and frees it when it ends. Held as a Form so that the loop needs
// nothing from the dialogs built on it.
extern Form* ActiveMessageBox;
// 1 while a key typing that character is held down; cleared when Run starts.
extern unsigned char CharKeyTable[256];

// Deletes the form once the event or timer step being handled is over: a
// handler may so replace the very form whose button or close it is running
// for. A form handed over by the destructor of one so deleted goes after it,
// once. Outside of both (before Run, after it, in a direct call) the form is
// deleted at once, so the caller must not touch it afterwards.
void DeleteAfterEvent(Form* form);
// True while the form waits for DeleteAfterEvent.
bool IsDeletePending(const Form* form);

// -1 while a key typing the character is held down, else 0 (also for codes
// outside 0..255).
int IsCharKeyDown(int code);

// What the loop has done since the program started, for tests and tuning.
struct EventLoopCounters {
    uint64_t events = 0;     // events taken with XNextEvent
    uint64_t idleWaits = 0;  // waits on the connection for the next step or event
    uint64_t ticks = 0;      // 10 ms steps handed to the timers
};
extern EventLoopCounters LoopCounters;
