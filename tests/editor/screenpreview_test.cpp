#include "editor/screenpreview.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

class ScreenPreviewTest : public EditorTest {
  protected:
    void Line(int line, Byte type, std::u16string_view prompt, int maxLength) {
        F().LineType(line) = type;
        StoreCellText(F().LinePrompt(line), prompt);
        F().MaxLength(line) = static_cast<Byte>(maxLength);
    }
    FormScreen Screen() const { return PreviewFormScreen(s.working, s.currentForm); }
};

TEST_F(ScreenPreviewTest, NewFormIsBlankWithoutStamp) {
    const FormScreen screen = Screen();
    for (int r = 0; r < kScreenRows; ++r) {
        EXPECT_EQ(screen.RowText(r), std::u16string(20, u' ')) << r;
        EXPECT_EQ(screen.InputCells(r), 0) << r;
    }
    EXPECT_TRUE(screen.stamp.empty());
}

// Prompt, input start and input cells per row for a single line of a given type.
TEST_F(ScreenPreviewTest, PromptAndInputAreaByLineType) {
    struct Case {
        Byte type;
        int promptCells;  // prompt "Qty:" shown
        int inputCells;   // with MaxLength 6
    };
    const Case cases[] = {
        {kLineNil, 0, 0},     {kLineText, 4, 6},      {kLineInteger, 4, 6},
        {kLineBoolean, 4, 6}, {kLineLookup, 4, 0},    {kLineFixedData, 4, 0},
        {kLinePrompt, 4, 0},  {kLineExtension, 0, 0}, {kLineAlphameric, 4, 6},
        {kLineWeight, 4, 6},  {kLineSerial, 4, 6},    {99, 0, 0},
    };
    for (const Case& c : cases) {
        Line(2, c.type, u"Qty:", 6);
        const FormScreen screen = Screen();
        const std::u16string row = screen.RowText(2);
        EXPECT_EQ(row.substr(0, 4) == u"Qty:", c.promptCells == 4) << int(c.type);
        EXPECT_EQ(screen.InputCells(2), c.inputCells) << int(c.type);
        if (c.inputCells > 0) {
            EXPECT_EQ(screen.InputStart(2), 4) << int(c.type);
        }
        EXPECT_EQ(screen.rows[2][0].kind, c.promptCells ? CellKind::Prompt : CellKind::Blank)
            << int(c.type);
        EXPECT_EQ(screen.RowText(1), std::u16string(20, u' ')) << int(c.type);
    }
}

TEST_F(ScreenPreviewTest, PromptsAreCutAtTheScreenEdgeAndLongInputEndsThere) {
    Line(0, kLineText, u"Артикул товара на складе", 80);  // stored cut to 20 characters
    Line(1, kLineText, u"Code", 80);                      // no extension line follows
    const FormScreen screen = Screen();
    EXPECT_EQ(screen.RowText(0), u"Артикул товара на ск");
    EXPECT_EQ(screen.InputCells(0), 0);
    EXPECT_EQ(screen.RowText(1), u"Code                ");
    EXPECT_EQ(screen.InputStart(1), 4);
    EXPECT_EQ(screen.InputCells(1), 16);
    EXPECT_TRUE(screen.RowText(2) == std::u16string(20, u' '));
}

// A 5-character prompt and length 60 over two extension lines: 15, 20 and 20 cells, the rest
// of the input (5) has no line; with length 10 the extension lines show no input.
TEST_F(ScreenPreviewTest, ExtensionLinesContinueTheInput) {
    Line(3, kLineText, u"Name:", 60);
    Line(4, kLineExtension, u"", 0);
    Line(5, kLineExtension, u"", 0);
    FormScreen screen = Screen();
    EXPECT_EQ(screen.InputCells(3), 15);
    EXPECT_EQ(screen.InputStart(4), 0);
    EXPECT_EQ(screen.InputCells(4), 20);
    EXPECT_EQ(screen.InputCells(5), 20);
    EXPECT_EQ(screen.InputCells(6), 0);

    F().MaxLength(3) = 40;
    screen = Screen();
    EXPECT_EQ(screen.InputCells(3), 15);
    EXPECT_EQ(screen.InputCells(4), 20);
    EXPECT_EQ(screen.InputCells(5), 5);

    F().MaxLength(3) = 10;
    screen = Screen();
    EXPECT_EQ(screen.InputCells(3), 10);
    EXPECT_EQ(screen.InputCells(4), 0);
    EXPECT_EQ(screen.InputCells(5), 0);
}

TEST_F(ScreenPreviewTest, ExtensionWithoutAnInputLineAboveStaysBlank) {
    Line(0, kLineExtension, u"", 0);
    Line(1, kLinePrompt, u"Scan pallet", 80);
    Line(2, kLineExtension, u"", 0);
    const FormScreen screen = Screen();
    EXPECT_EQ(screen.InputCells(0), 0);
    EXPECT_EQ(screen.InputCells(2), 0);
    EXPECT_EQ(screen.RowText(1), u"Scan pallet         ");
}

// A full-width prompt leaves no cell on its own line: the input starts on the extension line.
TEST_F(ScreenPreviewTest, FullWidthPromptMovesTheInputToTheExtensionLine) {
    Line(6, kLineInteger, u"12345678901234567890", 8);
    Line(7, kLineExtension, u"", 0);
    const FormScreen screen = Screen();
    EXPECT_EQ(screen.InputCells(6), 0);
    EXPECT_EQ(screen.InputStart(7), 0);
    EXPECT_EQ(screen.InputCells(7), 8);
}

TEST_F(ScreenPreviewTest, InputAreaShowsTheInputMark) {
    Line(0, kLineText, u"Lot", 3);
    F().InputMark(0) = '_';
    EXPECT_EQ(Screen().RowText(0), u"Lot___              ");
    F().InputMark(0) = 0xC0;  // Cyrillic А in the code page
    EXPECT_EQ(Screen().RowText(0), u"LotААА              ");
}

TEST_F(ScreenPreviewTest, StampFollowsTheStampSettings) {
    F().DateTimePosition() = 2;
    F().YearDigits() = 1;
    F().DateStyle() = 2;
    F().StampSecond() = 0;
    FormScreen screen = Screen();
    EXPECT_EQ(screen.stampPosition, 2);
    EXPECT_EQ(screen.stamp, u"DD/MM/YY HH:MM");

    F().StampHour() = F().StampMinute() = 0;
    F().DateTimePosition() = 1;
    screen = Screen();
    EXPECT_EQ(screen.stampPosition, 1);
    EXPECT_EQ(screen.stamp, u"DD/MM/YY");

    F().DateTimePosition() = 7;  // out of range: no stamp
    EXPECT_TRUE(Screen().stamp.empty());
    EXPECT_EQ(Screen().stampPosition, 0);
}

// Bytes a damaged file may hold: every row still has exactly 20 cells and nothing crashes.
TEST_F(ScreenPreviewTest, OutOfRangeBytesGiveAScreenWithoutOverrun) {
    Line(0, kLineText, u"", 255);
    Line(1, kLineExtension, u"", 255);
    std::fill(F().LinePrompt(2).begin(), F().LinePrompt(2).end(), Byte{'P'});  // no terminator
    F().LineType(2) = kLineText;
    F().MaxLength(2) = 255;
    F().LineType(3) = 99;
    const FormScreen screen = Screen();
    EXPECT_EQ(screen.InputCells(0), 20);
    EXPECT_EQ(screen.InputCells(1), 20);
    EXPECT_EQ(screen.RowText(2), std::u16string(20, u'P'));
    EXPECT_EQ(screen.InputCells(2), 0);
    EXPECT_EQ(screen.RowText(3), std::u16string(20, u' '));

    EXPECT_EQ(PreviewFormScreen(s.working, -1).RowText(0), std::u16string(20, u' '));
    EXPECT_EQ(PreviewFormScreen(s.working, 10).RowText(7), std::u16string(20, u' '));
}

}  // namespace
}  // namespace fw::editor::test
