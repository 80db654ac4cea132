// CommandElement: the mix-in of clickable controls (buttons, check and option
// boxes) that holds the one command run when the control is activated.
#pragma once

class GUIElement;

class CommandElement {
public:
    // The control comes twice: as the element and as the command's argument.
    using Command = void (*)(GUIElement* element, GUIElement* argument);

    void SetCommand(Command function) { command = function; }

protected:
    void RunCommandHandler(GUIElement* self)
    {
        if (command != nullptr)
            command(self, self);
    }

private:
    Command command = nullptr;
};
