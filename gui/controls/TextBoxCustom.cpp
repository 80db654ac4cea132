#include "gui/controls/TextBoxCustom.h"

#include "app/Application.h"
#include "app/EventLoop.h"
#include "gui/Bevel.h"
#include "gui/DrawContext.h"
#include "gui/ElementTypes.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "gui/ToolkitColours.h"
#include "services/SoundPlayer.h"
#include "support/Packing.h"
#include "support/StringUtil.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {
constexpr int kMaxCells = 1600;            // cell records at most
constexpr int kInset = 3;                  // pixels between the box's edge and its cells
constexpr int kLineExtra = 4;              // pixels added to the font's line height
constexpr int kCellExtra = 2;              // pixels added to the width of "M"
constexpr int kFontHeightExtra = 10;       // pixels added to the font's size by SetSize
constexpr int kClickRowOffset = 4;         // pixels between the box's top and the rows, for clicks
constexpr int32_t kWhiteBackground = 0xFFFFFF;
constexpr char kBackspace = 8;
constexpr char kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr char kEscape = 27;
constexpr char kDelete = 127;

bool IsDateSeparatorStop(int position)
{
    return position == 3 || position == 6;
}

bool IsDateSeparator(int position)
{
    return position == 2 || position == 5;
}
}  // namespace

void TextBoxCustom::Beep()
{
    PlayBeep();
}

TextBoxCustom::TextBoxCustom(GUIElement* parentForm, const std::string& initialText) : Child(parentForm)
{
    type = kTypeTextBox;
    width = 80;
    height = 30;
    backColor = kWhiteBackground;
    repaintWithContainer = true;
    text = TrimRight(initialText);
    caretPos = static_cast<int>(text.size());
    reach = static_cast<int>(text.size());
    MeasureCells();
}

void TextBoxCustom::MeasureCells()
{
    // The drawing context measures with the first form's font: so do the cells.
    if (FormList.empty())
        return;
    const Form* form = GetForm();
    const Application* app = form != nullptr && form->GetApplication() != nullptr ? form->GetApplication()
                                                                                  : MainApplication;
    if (app == nullptr || app->GetDisplay() == nullptr)
        return;
    XFontStruct* font = FormList.front()->GetFont().GetFontStructOrDefault(app->GetDisplay());
    if (font == nullptr)
        return;
    lineHeight = font->ascent + 1 + kLineExtra;
    cellWidth = XTextWidth(font, "M", 1) + kCellExtra;
}

void TextBoxCustom::RaiseToOneRow()
{
    if (height <= lineHeight + 5)
        height = lineHeight + 6;
}

// No more columns or rows than cell records: a box larger draws only as many
// cells, and their products stay small.
int TextBoxCustom::Columns() const
{
    return cellWidth > 0 ? std::clamp((width - 2 * kInset) / cellWidth, 0, kMaxCells) : 0;
}

int TextBoxCustom::Rows() const
{
    return lineHeight > 0 ? std::clamp((height - 2 * kInset) / lineHeight, 0, kMaxCells) : 0;
}

void TextBoxCustom::Create()
{
    if (created)
        return;
    MeasureCells();
    editBuffer.assign(static_cast<size_t>(maxLength) + 1, ' ');
    editBuffer[static_cast<size_t>(maxLength)] = '\0';
    RaiseToOneRow();
    const int count = std::min(Rows() * Columns() + 1, kMaxCells);
    CellRecord blank;
    blank.textColour = enabled ? textColor : kDisabledGrey;
    blank.backColour = enabled ? static_cast<int32_t>(backColor) : kNoColourGrey;
    blank.index = maxLength;
    cells.assign(static_cast<size_t>(count), blank);
    FillBuffer();
    CreateVisible();
}

void TextBoxCustom::FillBuffer()
{
    std::string source = text;
    if (!multiLine && !source.empty()) {
        const size_t feed = source.find(kLineFeed);
        if (feed != std::string::npos)
            source.resize(feed);
    }
    std::fill(editBuffer.begin(), editBuffer.end(), ' ');
    editBuffer[static_cast<size_t>(maxLength)] = '\0';
    caretPos = 0;
    const size_t n = std::min(source.size(), static_cast<size_t>(maxLength));
    std::copy(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(n), editBuffer.begin());
    if (n > 0)
        caretPos = static_cast<int>(n);
}

std::string TextBoxCustom::GetText() const
{
    if (!created)
        return text;
    return TrimRight(std::string(editBuffer.data(), strnlen(editBuffer.data(), editBuffer.size())));
}

void TextBoxCustom::SyncText()
{
    text = GetText();
}

void TextBoxCustom::SetText(const std::string& newText)
{
    text = newText;
    reach = static_cast<int>(text.size());
    caretPos = std::max(reach - 1, 0);
    if (created) {
        FillBuffer();
        Paint();
    }
}

void TextBoxCustom::SetSize(int32_t newWidth, int32_t newHeight)
{
    newHeight = std::max(newHeight, font.GetPixelSize() + kFontHeightExtra);
    if (newHeight <= lineHeight + 5)
        newHeight = lineHeight + 6;
    SetSizeReshowing(newWidth, newHeight);
}

void TextBoxCustom::Hide()
{
    if (!created)
        return;
    // Single-line typing lives in the buffer only; keep it for the next Show.
    SyncText();
    HideFilling(DrawingForm(), 2, ContainerBackColor());
    editBuffer.clear();
    cells.clear();
}

bool TextBoxCustom::ShowsCaret() const
{
    return focused && enabled && !readOnly;
}

int32_t TextBoxCustom::CurrentBackground() const
{
    if (!enabled || backColor == -1)
        return kNoColourGrey;
    return static_cast<int32_t>(backColor);
}

int TextBoxCustom::CellAlign() const
{
    if (multiLine)
        return 0;
    if (alignRight)
        return 1;
    return alignCentre ? 2 : 0;
}

void TextBoxCustom::Paint()
{
    // Unlike most controls the box paints while its form is loading.
    if (!created)
        return;
    Form* form = DrawingForm();
    if (form == nullptr)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t px = PointX(at), py = PointY(at), w = width, h = height;
    {
        DrawContext dc(form);
        dc.FillRectangle(px, py, w, h, 0, 0, CurrentBackground());
        if (border3D) {
            DrawBevel(dc, px, py, w, h, kBevelWhite, kBevelBlack);
            DrawBevel(dc, px + 1, py + 1, w - 2, h - 2, kBevelBlack, kBevelWhite);
        }
    }
    DrawCells(true, 0);
}

void TextBoxCustom::RedrawText(bool full)
{
    DrawCells(full, caretPos);
}

void TextBoxCustom::DrawCells(bool full, int position)
{
    if (!created || editBuffer.empty())
        return;
    const int columns = Columns();
    const int rows = Rows();
    if (columns <= 0 || rows <= 0)
        return;
    int start = std::max(position - 1, 0);
    if (dateMode && IsDateSeparatorStop(position))
        start = position - 2;
    if (full)
        start = 0;
    const int32_t background = CurrentBackground();
    const int32_t foreground = enabled ? textColor : kDisabledGrey;
    const int align = CellAlign();
    const int cellCount = DrawableCells();

    // Without a window the walk still keeps the buffer and the records' indexes.
    std::optional<DrawContext> context;
    if (Form* form = DrawingForm())
        context.emplace(form);
    DrawContext* dc = context && context->IsValid() ? &*context : nullptr;
    const uint64_t at = ToFormPoint(x, y);
    const int32_t left = PointX(at) + kInset, top = PointY(at) + kInset;

    int column = 0, row = 0;
    for (int i = 0; i <= maxLength; ++i) {
        // A box too large for its cell records draws only as many cells.
        if (row >= rows || row * columns + column >= cellCount) {
            // Typed past the last visible cell: erased again, with a beep.
            if (i < maxLength)
                editBuffer[static_cast<size_t>(i)] = ' ';
            if (i == start) {
                caretPos = std::max(caretPos - 1, 0);
                Beep();
            }
            break;
        }
        const int cell = row * columns + column;
        if (cell >= rows * columns)
            break;
        const char stored = editBuffer[static_cast<size_t>(i)];
        const int32_t cellX = left + column * cellWidth;
        const int32_t cellY = top + row * lineHeight;
        if (stored == kCarriageReturn) {
            if (dc != nullptr && (full || i >= start))
                dc->FillRectangle(cellX, cellY, (columns - column) * cellWidth + 1, lineHeight + 1, 0, 0,
                                  background);
            for (int c = cell; c < (row + 1) * columns && c < cellCount; ++c)
                cells[static_cast<size_t>(c)] = CellRecord{kCarriageReturn, foreground, background, i};
            if (ShowsCaret() && i == caretPos && dc != nullptr)
                dc->DrawText(cellX, cellY, cellWidth, lineHeight, " ", foreground, caretColor, 0);
            column = 0;
            ++row;
            continue;
        }
        char shown = stored;
        if (stored == kLineFeed || stored == '\0')
            shown = ' ';
        else if (password && stored != ' ')
            shown = '*';
        if (cell < cellCount) {
            CellRecord& record = cells[static_cast<size_t>(cell)];
            if (i >= start) {
                const int32_t back = ShowsCaret() && i == caretPos ? caretColor : background;
                const bool changed =
                    record.shown != shown || record.textColour != foreground || record.backColour != back;
                if ((full || changed) && dc != nullptr) {
                    dc->DrawText(cellX, cellY, cellWidth, lineHeight, std::string(1, shown), foreground, back,
                                 align);
                    record.shown = shown;
                    record.textColour = foreground;
                    record.backColour = back;
                }
            }
            record.index = i;
        }
        if (++column == columns) {
            column = 0;
            ++row;
        }
    }
}

bool TextBoxCustom::FitsText(const std::string& candidate, int position) const
{
    const int columns = Columns();
    const int rows = Rows();
    // Longer than the buffer, the text would lose its end to FillBuffer.
    if (columns <= 0 || rows <= 0 || static_cast<int>(candidate.size()) > maxLength)
        return false;
    const int drawable = DrawableCells();
    int column = 0, row = 0;
    for (int i = 0; i <= maxLength; ++i) {
        if (row >= rows || row * columns + column >= drawable)
            return false;
        const char ch = i < static_cast<int>(candidate.size()) ? candidate[static_cast<size_t>(i)] : ' ';
        if (ch == kCarriageReturn) {
            column = 0;
            ++row;
        } else if (++column == columns) {
            column = 0;
            ++row;
        }
        if (i == position)
            return true;
    }
    return false;
}

int TextBoxCustom::DrawableCells() const
{
    return std::min(Rows() * Columns(), static_cast<int>(cells.size()));
}

int TextBoxCustom::CellOfPos(int position) const
{
    const int cellCount = DrawableCells();
    for (int c = 0; c < cellCount; ++c)
        if (cells[static_cast<size_t>(c)].index == position)
            return c;
    return -1;
}

void TextBoxCustom::Click(uint64_t point)
{
    Child::Click(point);
    PlaceCaret(point);
}

void TextBoxCustom::PlaceCaret(uint64_t point)
{
    if (!created || cellWidth <= 0 || lineHeight <= 0)
        return;
    const uint64_t at = ToFormPoint(x, y);
    const int64_t dx = int64_t{PointX(point)} - PointX(at);
    const int64_t dy = int64_t{PointY(point)} - PointY(at) - kClickRowOffset;
    if (dx < 0 || dy < 0)
        return;
    const int64_t index = (dy / lineHeight) * Columns() + dx / cellWidth;
    if (index >= kMaxCells || index >= static_cast<int64_t>(cells.size()))
        return;
    int target = std::min(cells[static_cast<size_t>(index)].index, reach);
    if (reach < 0)
        target = 0;
    if (dateMode && IsDateSeparator(target))
        --target;
    caretPos = std::max(target, 0);
    DrawCells(false, 0);
}

void TextBoxCustom::KeyDown(KeySym keysym)
{
    Child::KeyDown(keysym);
    if (created && enabled && !readOnly)
        MoveCaret(keysym);
}

void TextBoxCustom::MoveCaret(KeySym keysym)
{
    const int columns = Columns();
    switch (keysym) {
    case XK_Left:
        if (dateMode && IsDateSeparatorStop(caretPos))
            caretPos -= 2;
        else
            caretPos = std::max(caretPos - 1, 0);
        DrawCells(false, caretPos);
        break;
    case XK_Right:
        if (caretPos >= reach) {
            Beep();
        } else {
            caretPos = std::min(caretPos + 1, maxLength);
            if (dateMode && IsDateSeparator(caretPos))
                caretPos = std::min(caretPos + 1, maxLength);
        }
        DrawCells(false, caretPos);
        break;
    case XK_Up: {
        if (!multiLine)
            break;
        const int cell = CellOfPos(caretPos);
        if (cell < 0 || cell < columns)
            Beep();
        else
            caretPos = cells[static_cast<size_t>(cell - columns)].index;
        DrawCells(false, caretPos);
        break;
    }
    case XK_Down: {
        if (!multiLine)
            break;
        const int old = caretPos;
        const int cell = CellOfPos(caretPos);
        const int below = cell + columns;
        if (cell >= 0 && below < DrawableCells() && cells[static_cast<size_t>(below)].index < reach)
            caretPos = cells[static_cast<size_t>(below)].index;
        else
            Beep();
        DrawCells(false, old);
        break;
    }
    default:
        break;
    }
}

bool TextBoxCustom::KeyPress(char character)
{
    if (!enabled || readOnly)
        return false;
    if (KeyPressHandler != nullptr && !KeyPressHandler(this, character))
        return false;
    if (!created)
        return true;
    const unsigned char byte = static_cast<unsigned char>(character);
    if (character == kDelete) {
        DeleteAtCaret();
    } else if (character == kBackspace) {
        Backspace();
    } else if (character == kCarriageReturn) {
        // Single-line: the form's own key handling may act on Enter.
        if (multiLine && caretPos < maxLength)
            Insert(character);
    } else if (character == kEscape) {
        // Escape does nothing.
    } else if (byte < 32 || byte > 126) {
        Beep();
    } else {
        TypePrintable(character);
    }
    return true;
}

void TextBoxCustom::DeleteAtCaret()
{
    if (deleteShifts) {
        std::string current = GetText();
        if (caretPos >= 0 && caretPos < static_cast<int>(current.size()))
            current.erase(static_cast<size_t>(caretPos), 1);
        const int kept = caretPos;
        text = current;
        FillBuffer();
        caretPos = kept;
        --reach;
    } else if (caretPos >= 0 && caretPos < maxLength) {
        editBuffer[static_cast<size_t>(caretPos)] = ' ';
    }
    RedrawText(false);
}

void TextBoxCustom::Backspace()
{
    if (caretPos <= 0) {
        Beep();
        return;
    }
    const std::string current = GetText();
    const bool overSeparator = dateMode && IsDateSeparatorStop(caretPos);
    const int step = overSeparator ? 2 : 1;
    const size_t cut = std::min(static_cast<size_t>(caretPos - step), current.size());
    const std::string after = static_cast<size_t>(caretPos) < current.size() ? current.substr(static_cast<size_t>(caretPos)) : "";
    std::string edited = current.substr(0, cut) + after;
    if (dateMode) {
        // Digits only, then the separators again where a date has them.
        edited.erase(std::remove(edited.begin(), edited.end(), '/'), edited.end());
        edited = TrimRight(edited);
        if (edited.size() > 1)
            edited.insert(2, 1, '/');
        if (edited.size() > 4)
            edited.insert(5, 1, '/');
    }
    const int oldCaret = caretPos;
    text = edited;
    FillBuffer();
    reach -= step;
    caretPos = oldCaret - step;
    RedrawText(false);
}

void TextBoxCustom::TypePrintable(char character)
{
    if (numericOnly && (character < '0' || character > '9')) {
        const bool point = character == '.' && allowPoint;
        if (!point || GetText().find('.') != std::string::npos || caretPos == maxLength) {
            Beep();
            return;
        }
    }
    if (caretPos >= maxLength) {
        Beep();
        return;
    }
    if (multiLine) {
        Insert(character);
        return;
    }
    editBuffer[static_cast<size_t>(caretPos)] = character;
    ++caretPos;
    ++reach;
    if (dateMode && IsDateSeparator(caretPos) && caretPos < maxLength) {
        editBuffer[static_cast<size_t>(caretPos)] = '/';
        ++caretPos;
        ++reach;
    }
    RedrawText(false);
}

void TextBoxCustom::Insert(char character)
{
    // The buffer less its padding: unlike GetText it keeps a trailing line break.
    std::string edited(editBuffer.data(), strnlen(editBuffer.data(), editBuffer.size()));
    edited.erase(edited.find_last_not_of(' ') + 1);
    // The caret may stand past the end: the blanks before it are kept.
    if (static_cast<int>(edited.size()) < caretPos)
        edited.resize(static_cast<size_t>(caretPos), ' ');
    edited.insert(static_cast<size_t>(caretPos), 1, character);
    if (!FitsText(edited, reach + 1)) {
        Beep();
        return;
    }
    const int oldCaret = caretPos;
    text = edited;
    FillBuffer();
    caretPos = oldCaret + 1;
    ++reach;
    RedrawText(false);
}

void TextBoxCustom::SetFocus()
{
    if (!created)
        return;
    focused = true;
    GotFocus();
    if (FocusedElement != nullptr && FocusedElement != this)
        FocusedElement->LostFocus();
    FocusedElement = this;
}

void TextBoxCustom::GotFocus()
{
    Child::GotFocus();
    RedrawText(false);
}

void TextBoxCustom::LostFocus()
{
    Child::LostFocus();
    RedrawText(false);
}

void TextBoxCustom::SetMultiLine(bool flag)
{
    multiLine = flag;
    PaintIfCreated();
}

void TextBoxCustom::SetReadOnly(bool flag)
{
    readOnly = flag;
    PaintIfCreated();
}

void TextBoxCustom::SetNumeric(bool flag)
{
    numericOnly = flag;
    PaintIfCreated();
}

void TextBoxCustom::SetAllowPoint(bool flag)
{
    allowPoint = flag;
    PaintIfCreated();
}

void TextBoxCustom::SetPassword(bool flag)
{
    password = flag;
    PaintIfCreated();
}

void TextBoxCustom::SetDateMode(bool flag)
{
    dateMode = flag;
    numericOnly = flag;
    if (flag) {
        SetMaxLength(10);
        deleteShifts = false;
    }
    PaintIfCreated();
}

void TextBoxCustom::SetDeleteShifts(bool flag)
{
    deleteShifts = flag;
    if (flag)
        multiLine = true;
}

void TextBoxCustom::SetAlignRight(bool flag)
{
    alignRight = flag;
    if (flag)
        alignCentre = false;
    PaintIfCreated();
}

void TextBoxCustom::SetAlignCentre(bool flag)
{
    alignCentre = flag;
    if (flag)
        alignRight = false;
    PaintIfCreated();
}

void TextBoxCustom::SetAlignLeft(bool flag)
{
    if (flag)
        alignRight = false;
    PaintIfCreated();
}

void TextBoxCustom::SetMaxLength(int length)
{
    if (!created && length >= 0)
        maxLength = length;
}
