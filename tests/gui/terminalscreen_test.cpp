// The Form page's terminal preview: what it shows follows the working copy on every refresh.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>

#include "editor/ui/formpage.h"
#include "editor/ui/terminalscreen.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/workspace.h"

namespace fw::editor::ui {
namespace {

class TerminalPreviewTest : public ::testing::Test {
  protected:
    TerminalPreviewTest() {
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
        session = OpenSession(ws.definition, ws.language);
    }
    TerminalScreen* Preview() {
        auto* preview = page.findChild<TerminalScreen*>();
        EXPECT_NE(preview, nullptr);
        return preview;
    }

    Workspace ws;
    EditingSession session;
    SheetContext context{session, ws, [] {}};
    FormPage page{context, nullptr};
};

TEST_F(TerminalPreviewTest, RefreshShowsTheChangedPromptAndItsInputArea) {
    TerminalScreen* preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->accessibleName(), QStringLiteral("Terminal preview"));
    EXPECT_FALSE(preview->text().contains(QStringLiteral("Кол-во")));

    FormRecord f = session.Form();
    f.LineType(1) = kLineInteger;
    f.MaxLength(1) = 4;
    f.InputMark(1) = '.';
    StoreCellText(f.LinePrompt(1), u"Кол-во:");
    page.refresh();

    const QStringList lines = preview->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[1], QStringLiteral("Кол-во:....         "));
    EXPECT_EQ(preview->accessibleDescription(), preview->text());

    // The input cells are shaded, the cells after them are not.
    preview->resize(preview->sizeHint());
    const QImage image = preview->grab().toImage();
    const double cw = (preview->width() - 8) / 20.0;
    const double ch = (preview->height() - 8) / 10.0;
    const auto at = [&](int row, int column) {
        return image.pixelColor(QPointF(4 + (column + 0.5) * cw, 4 + (row + 1.5) * ch).toPoint());
    };
    EXPECT_NE(at(1, 9), at(1, 15));
    EXPECT_EQ(at(1, 15), at(2, 15));

    StoreCellText(f.LinePrompt(1), u"Qty");
    f.DateTimePosition() = 1;
    page.refresh();
    const QStringList changed = preview->text().split(QLatin1Char('\n'));
    ASSERT_EQ(changed.size(), 9);
    EXPECT_EQ(changed[0], QStringLiteral("YYYY/MM/DD HH:MM:SS"));
    EXPECT_EQ(changed[2], QStringLiteral("Qty....             "));
    EXPECT_EQ(preview->accessibleDescription(), preview->text());
}

TEST_F(TerminalPreviewTest, ChoosingAnotherFormShowsThatForm) {
    StoreCellText(Form(session.working, 3).LinePrompt(0), u"Pallet");
    Form(session.working, 3).LineType(0) = kLinePrompt;
    auto* form = page.findChild<QComboBox*>(QStringLiteral("formName"));
    ASSERT_NE(form, nullptr);
    form->setCurrentIndex(3);
    EXPECT_TRUE(Preview()->text().startsWith(QStringLiteral("Pallet              \n")));
    form->setCurrentIndex(0);
    EXPECT_TRUE(Preview()->text().startsWith(QString(20, QLatin1Char(' '))));
}

}  // namespace
}  // namespace fw::editor::ui
