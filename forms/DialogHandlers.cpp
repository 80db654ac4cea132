#include "forms/DialogHandlers.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "support/Packing.h"

#include <X11/Xutil.h>

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

void CentreOver(Form* dialogForm, Form* over, int32_t width, int32_t height)
{
    const uint64_t at = over->GetPosition();
    const uint64_t size = over->GetSize();
    dialogForm->MoveTo(PointX(at) + (PointX(size) - width) / 2, PointY(at) + (PointY(size) - height) / 2);
}

void MarkTransientFor(Form* dialogForm, const Form* covered)
{
    Application* application = dialogForm->GetApplication();
    if (covered != nullptr && covered->GetWindow() != 0 && dialogForm->GetWindow() != 0 && application != nullptr)
        XSetTransientForHint(application->GetDisplay(), dialogForm->GetWindow(), covered->GetWindow());
}

}  // namespace dialog
