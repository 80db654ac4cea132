// The process-wide registries of the toolkit. They never own their elements:
// constructors append, destructors remove (GUIElement, Form, Child).
#pragma once

#include <X11/X.h>
#include <cstdint>
#include <vector>

class GUIElement;
class Form;
class Timer;

// Every element alive, in construction order.
extern std::vector<GUIElement*> AllElements;
// Every form alive, in construction order.
extern std::vector<Form*> FormList;
// Every timer alive, in construction order (the order they fire in).
extern std::vector<Timer*> TimerList;
// The last identifier handed out; the first element created gets 1.
extern uint32_t NextElementId;

// The first form whose X window is the given one, or null.
Form* FindFormByWindow(Window window);
// The child elements whose parent has the identifier, in construction order;
// a panel's own elements follow right after it, recursively.
std::vector<GUIElement*> ElementsOf(uint32_t parentId);
// The first created, visible, enabled child of the parent under the point
// (parent coordinates); panels are searched inside and never returned.
GUIElement* FindElementAt(uint32_t parentId, uint64_t point);
GUIElement* FindElementById(uint32_t id);
// Appends the element to TimerList when it is a timer.
void RegisterTimer(GUIElement* element);
// Takes a timer out of TimerList or a form out of FormList; logs when absent.
void RemoveWindow(GUIElement* element);
// RemoveWindow for forms and timers, then out of AllElements; logs when absent.
void RemoveWinForm(GUIElement* element);
// RemoveWinForm on every element of ElementsOf(id), the insides of panels and
// menu bars first.
void UnregisterTree(uint32_t parentId);
