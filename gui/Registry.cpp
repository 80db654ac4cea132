#include "gui/Registry.h"

#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/GUIElement.h"
#include "gui/controls/Timer.h"
#include "support/Log.h"
#include "support/Packing.h"

#include <algorithm>

std::vector<GUIElement*> AllElements;
std::vector<Form*> FormList;
std::vector<Timer*> TimerList;
uint32_t NextElementId = 0;

namespace {

template <typename T>
bool RemoveFirst(std::vector<T*>& list, const GUIElement* element)
{
    auto found = std::find_if(list.begin(), list.end(),
                              [element](T* entry) { return static_cast<GUIElement*>(entry) == element; });
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

void AppendElementsOf(uint32_t parentId, std::vector<GUIElement*>& out)
{
    for (GUIElement* element : AllElements) {
        if (!element->IsChild() || element->GetParent() == nullptr || element->GetParent()->GetId() != parentId)
            continue;
        out.push_back(element);
        // A panel without an identifier yet cannot have children by id, and
        // recursing on 0 would gather every uncreated element.
        if (element->GetType() == kTypePanel && element->GetId() != 0)
            AppendElementsOf(element->GetId(), out);
    }
}

}  // namespace

Form* FindFormByWindow(Window window)
{
    for (Form* form : FormList)
        if (form->GetWindow() == window)
            return form;
    return nullptr;
}

std::vector<GUIElement*> ElementsOf(uint32_t parentId)
{
    std::vector<GUIElement*> found;
    AppendElementsOf(parentId, found);
    return found;
}

GUIElement* FindElementAt(uint32_t parentId, uint64_t point)
{
    for (GUIElement* element : AllElements) {
        if (!element->IsChild() || !element->IsCreated() || !element->IsVisible() || !element->IsEnabled())
            continue;
        if (element->GetParent() == nullptr || element->GetParent()->GetId() != parentId)
            continue;
        if (element->GetType() == kTypePanel) {
            if (element->GetId() == 0 || element->GetId() == parentId)
                continue;
            const uint64_t at = element->GetPosition();
            GUIElement* inside =
                FindElementAt(element->GetId(), PackPoint(PointX(point) - PointX(at), PointY(point) - PointY(at)));
            if (inside != nullptr)
                return inside;
        } else if (element->HitTest(point)) {
            return element;
        }
    }
    return nullptr;
}

GUIElement* FindElementById(uint32_t id)
{
    for (GUIElement* element : AllElements)
        if (element->GetId() == id)
            return element;
    return nullptr;
}

void RegisterTimer(GUIElement* element)
{
    if (element == nullptr || element->GetType() != kTypeTimer)
        return;
    if (auto* timer = dynamic_cast<Timer*>(element))
        TimerList.push_back(timer);
}

void RemoveWindow(GUIElement* element)
{
    const bool isTimer = element->GetType() == kTypeTimer;
    const bool removed = isTimer ? RemoveFirst(TimerList, element) : RemoveFirst(FormList, element);
    if (!removed) {
        const size_t count = isTimer ? TimerList.size() : FormList.size();
        WriteLog(" NON TROVATO! Application::RemoveWindow = " + element->GetType() + " lx " +
                 std::to_string(count) + " id " + std::to_string(element->GetId()));
    }
}

void RemoveWinForm(GUIElement* element)
{
    const std::string type = element->GetType();
    if (type == kTypeForm || type == kTypeTimer)
        RemoveWindow(element);
    if (!RemoveFirst(AllElements, element))
        WriteLog(" NON TROVATO! Application::RemoveWinForm = " + type + " size " +
                 std::to_string(AllElements.size()) + " id " + std::to_string(element->GetId()));
}

void UnregisterTree(uint32_t parentId)
{
    const std::vector<GUIElement*> elements = ElementsOf(parentId);
    for (GUIElement* element : elements) {
        const std::string type = element->GetType();
        if ((type == kTypeMenuBar || type == kTypePanel) && element->GetId() != 0 && element->GetId() != parentId)
            UnregisterTree(element->GetId());
    }
    // The list holds a panel's insides too, already gone by now.
    for (GUIElement* element : elements)
        if (std::find(AllElements.begin(), AllElements.end(), element) != AllElements.end())
            RemoveWinForm(element);
}
