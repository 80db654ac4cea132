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

void Uncover(Form* covered, const Form* dialogForm)
{
    if (covered == nullptr || covered->GetActiveDialog() != dialogForm)
        return;
    covered->SetActiveDialog(nullptr);
    covered->SetEnabled(true);
}

}  // namespace dialog
