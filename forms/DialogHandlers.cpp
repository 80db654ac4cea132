#include "forms/DialogHandlers.h"

#include "app/EventLoop.h"

namespace dialog {

void Cover(Form* covered, Form* dialogForm)
{
    if (covered == nullptr)
        return;
    covered->SetEnabled(false);
    covered->SetActiveDialog(dialogForm);
    if (FocusedElement != nullptr && FormOf(FocusedElement) == covered) {
        FocusedElement->LostFocus();
        FocusedElement = nullptr;
    }
}

}  // namespace dialog
