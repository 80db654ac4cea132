// TextBoxCustom: the text-entry control. The text lives in a fixed buffer of
// maxLength characters padded with spaces and is shown in a grid of fixed-size
// cells; the caret is the cell at caretPos, drawn on the caret colour. Single-
// line typing overwrites the cell under the caret and edits only the buffer;
// Backspace, shifting Delete and multi-line insertion go through the text and
// refill the buffer. The cell records remember what each cell shows, so a
// redraw touches only the cells that changed. Refused keys beep.
#pragma once

#include "gui/Child.h"

#include <X11/X.h>
#include <string>
#include <vector>

class TextBoxCustom : public Child {
public:
    TextBoxCustom(GUIElement* parentForm, const std::string& initialText);

    void Create() override;
    void Paint() override;
    void SetText(const std::string& newText) override;
    // Once created, the buffer up to its zero byte less trailing white space.
    std::string GetText() const override;
    void SetSize(int32_t newWidth, int32_t newHeight) override;
    void SetPosition(int32_t newX, int32_t newY) override { SetPositionReshowing(newX, newY); }
    void Show() override { ShowAndPaint(); }
    void ShowMapped() override { TextBoxCustom::Show(); }
    void Hide() override;
    void Click(uint64_t point) override;
    void KeyDown(KeySym keysym) override;
    // The editing step; true when the box took the byte (refused keys beep
    // and still answer true).
    bool KeyPress(char character) override;
    void SetFocus() override;
    void GotFocus() override;
    void LostFocus() override;

    virtual void RedrawText(bool full);
    virtual void DrawCells(bool full, int position);

    void SetTextColor(int32_t colour) { textColor = colour; }
    void SetCaretColor(int32_t colour) { caretColor = colour; }
    void SetMultiLine(bool flag);
    void SetReadOnly(bool flag);
    void SetNumeric(bool flag);
    void SetAllowPoint(bool flag);
    void SetPassword(bool flag);
    void SetBorder(bool flag) { border3D = flag; }
    // Also digits only; on, it limits the box to 10 characters and stops shifting Delete.
    void SetDateMode(bool flag);
    // On, it also turns multi-line editing on.
    void SetDeleteShifts(bool flag);
    void SetAlignRight(bool flag);
    void SetAlignCentre(bool flag);
    void SetAlignLeft(bool flag);
    // Only while the box is not created.
    void SetMaxLength(int length);

    int GetMaxLength() const { return maxLength; }
    int GetCaretPos() const { return caretPos; }
    int GetReach() const { return reach; }
    int GetLineHeight() const { return lineHeight; }
    int GetCellWidth() const { return cellWidth; }
    int Columns() const;
    int Rows() const;

private:
    struct CellRecord {
        char shown = ' ';
        int32_t textColour = 0;
        int32_t backColour = 0;
        int index = 0;  // editBuffer index shown; maxLength beyond the text
    };

    void MeasureCells();
    void RaiseToOneRow();
    void FillBuffer();
    // The buffer's text into text, before the buffer goes.
    void SyncText();
    static void Beep();
    // False for a text longer than maxLength or laid out past the last
    // drawable cell before position.
    bool FitsText(const std::string& candidate, int position) const;
    // The cells drawn: the grid, or as many as there are records.
    int DrawableCells() const;
    int CellOfPos(int position) const;
    void MoveCaret(KeySym keysym);
    void PlaceCaret(uint64_t point);
    void Backspace();
    void DeleteAtCaret();
    void TypePrintable(char character);
    void Insert(char character);
    bool ShowsCaret() const;
    int32_t CurrentBackground() const;
    int CellAlign() const;

    std::vector<char> editBuffer;  // maxLength spaces and a zero byte while created
    int maxLength = 256;
    int caretPos = 0;
    int reach = 0;
    int32_t textColor = 0x000000;
    int32_t caretColor = 0xFFFF00;
    int lineHeight = 0;  // pixels: the text line height plus 4
    int cellWidth = 0;   // pixels: the width of "M" plus 2
    bool border3D = true;
    bool multiLine = false;
    bool readOnly = false;
    bool numericOnly = false;
    bool allowPoint = false;
    bool dateMode = false;
    bool password = false;
    bool deleteShifts = false;
    bool alignRight = false;
    bool alignCentre = false;
    std::vector<CellRecord> cells;
};
