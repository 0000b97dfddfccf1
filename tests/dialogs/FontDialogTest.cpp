#include "DialogDriver.h"
#include "dialogs/KvFontDialog.h"
#include "foundation/KvDisplayFont.h"

#include <QFontDialog>
#include <gtest/gtest.h>

TEST(FontDialog, ConfirmedChoiceArrivesInOneChangeAndKeepsColourAndName) {
    auto font = MakeOwned<TKvDisplayFont>();
    font->SetName("Arial");
    font->SetSize(8);
    font->SetColor(clRed);
    int changes = 0;
    font->OnChange = [&] { ++changes; };
    AnswerModal<QFontDialog>([](QFontDialog* d) {
        EXPECT_EQ(d->currentFont().pointSize(), 8);
        QFont f = d->currentFont();
        f.setPointSize(12);
        f.setStyleName(QString()); // the dialog's style name would outrank the weight
        f.setBold(true);
        f.setUnderline(true);
        d->setCurrentFont(f);
        d->accept();
    });
    EXPECT_TRUE(ExecuteFontDialog(nullptr, font.get()));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font->Size(), 12);
    EXPECT_EQ(font->Style(), fsBold | fsUnderline);
    EXPECT_EQ(font->Color(), clRed);
    EXPECT_EQ(font->Name(), "Arial"); // the stand-in family was not a choice

    AnswerModal<QFontDialog>([](QFontDialog* d) {
        QFont f = d->currentFont();
        f.setPointSize(20);
        d->setCurrentFont(f);
        d->reject();
    });
    EXPECT_FALSE(ExecuteFontDialog(nullptr, font.get()));
    EXPECT_EQ(font->Size(), 12);
    EXPECT_EQ(changes, 1);
}
