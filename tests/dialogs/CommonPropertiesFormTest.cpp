#include "DialogDriver.h"
#include "dialogs/KvPropertyPageFormUnit.h"
#include "dialogs/RnCommonPropertiesFormUnit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A page with one edit box whose key handler does what the dialog's pages
// do: typing takes Enter and Escape from OK, Escape gives them back.
class EditPage : public TKvPropertyPageForm {
public:
    EditPage(TRnCommonPropertiesForm* AOwner, const QString& ACaption, QSize ASize,
             bool AManagesList = false)
        : TKvPropertyPageForm(AOwner), Edit(new QLineEdit(this)), FManagesList(AManagesList) {
        SetCaption(ACaption);
        resize(ASize);
        Edit->setGeometry(8, 8, 120, 22);
        Edit->installEventFilter(this);
    }
    void PageActivated() override {
        TKvPropertyPageForm::PageActivated();
        ++activations;
        if (FManagesList) {
            OwnerForm()->AddButton->show();
            OwnerForm()->RemoveButton->show();
        }
    }
    void AddItem() override { ++adds; }
    void RemoveItem() override { ++removes; }

    QLineEdit* Edit;
    int activations = 0, adds = 0, removes = 0, escapes = 0;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
        if (AWatched == Edit && AEvent->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(AEvent);
            if (key->key() == Qt::Key_Escape) {
                ++escapes;
                SetOkDefault(true); // not consumed: the dialog must still stay open
            } else if (!key->text().isEmpty() && key->text().at(0).isPrint()) {
                SetOkDefault(false);
            }
        }
        return TKvPropertyPageForm::eventFilter(AWatched, AEvent);
    }

private:
    bool FManagesList;
};

struct CommonForm : ::testing::Test {
    std::unique_ptr<TRnCommonPropertiesForm> form =
        std::make_unique<TRnCommonPropertiesForm>(nullptr);
};

} // namespace

TEST_F(CommonForm, DesignedShell) {
    EXPECT_EQ(form->windowTitle(), "Settings");
    EXPECT_TRUE(form->windowFlags() & Qt::Tool);
    EXPECT_EQ(form->size(), QSize(495, 310));
    EXPECT_EQ(form->Panel1->geometry(), QRect(0, 310 - 41, 495, 41));
    EXPECT_EQ(form->AddButton->text(), "Add");
    EXPECT_EQ(form->AddButton->geometry(), QRect(8, 8, 75, 25));
    EXPECT_EQ(form->RemoveButton->text(), "Remove");
    EXPECT_EQ(form->RemoveButton->geometry(), QRect(88, 8, 75, 25));
    EXPECT_EQ(form->OkButton->text(), "OK");
    EXPECT_EQ(form->OkButton->geometry(), QRect(19, 6, 75, 25));
    EXPECT_EQ(form->Panel2->width(), 101);
    EXPECT_EQ(form->Panel2->geometry().right(), 495 - 1 - 2); // right-aligned inside the bevel
    EXPECT_TRUE(form->OkButton->isDefault());
    EXPECT_EQ(form->PageControl->geometry(), QRect(0, 0, 495, 310 - 41));
}

TEST_F(CommonForm, GrowsToItsLargestPageAndNeverShrinks) {
    auto* small = new EditPage(form.get(), "Small", QSize(300, 120));
    form->AddPage(small);
    EXPECT_EQ(form->size(), QSize(495, 310));
    auto* wide = new EditPage(form.get(), "Wide", QSize(640, 150));
    form->AddPage(wide);
    auto* tall = new EditPage(form.get(), "Tall", QSize(200, 420));
    form->AddPage(tall);
    EXPECT_EQ(form->PageControl->tabText(1), "Wide");
    form->show();
    // the page fills its tab, which is exactly as large as the largest page needs
    form->ActivatePage(1);
    EXPECT_EQ(wide->width(), 640);
    form->ActivatePage(2);
    EXPECT_EQ(tall->height(), 420);
    EXPECT_EQ(tall->width(), 640);
    EXPECT_EQ(small->parentWidget()->parentWidget(), form->PageControl);
    const QSize grown = form->size();
    form->AddPage(new EditPage(form.get(), "Tiny", QSize(10, 10)));
    EXPECT_EQ(form->size(), grown);
}

TEST_F(CommonForm, PagesAreToldWhenActiveAndGetAddAndRemove) {
    auto* plain = new EditPage(form.get(), "Plain", QSize(200, 100));
    auto* list = new EditPage(form.get(), "List", QSize(200, 100), true);
    form->AddPage(plain);
    form->AddPage(list);
    form->show();
    plain->activations = 0;
    form->ActivatePage(0);
    EXPECT_EQ(plain->activations, 1);
    EXPECT_FALSE(form->AddButton->isVisible());
    EXPECT_FALSE(form->RemoveButton->isVisible());

    QTest::mouseClick(form->PageControl->tabBar(), Qt::LeftButton, {},
                      form->PageControl->tabBar()->tabRect(1).center());
    EXPECT_EQ(form->ActivePage(), list);
    EXPECT_EQ(list->activations, 1);
    EXPECT_EQ(plain->activations, 1);
    ASSERT_TRUE(form->AddButton->isVisible());
    QTest::mouseClick(form->AddButton, Qt::LeftButton);
    QTest::mouseClick(form->RemoveButton, Qt::LeftButton);
    QTest::mouseClick(form->RemoveButton, Qt::LeftButton);
    EXPECT_EQ(list->adds, 1);
    EXPECT_EQ(list->removes, 2);
    EXPECT_EQ(plain->adds + plain->removes, 0);
}

TEST_F(CommonForm, EscapeWhileTypingBelongsToTheEditBox) {
    auto* page = new EditPage(form.get(), "Page", QSize(200, 100));
    form->AddPage(page);
    form->show();
    form->ActivatePage(0);
    QTest::keyClicks(page->Edit, "ab");
    EXPECT_FALSE(form->OkButton->isDefault());
    QTest::keyClick(page->Edit, Qt::Key_Return); // no default button: nothing closes
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(page->Edit, Qt::Key_Escape);
    EXPECT_EQ(page->escapes, 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->OkButton->isDefault());
    // now OK is the default: Escape presses it
    QTest::keyClick(page->Edit, Qt::Key_Escape);
    EXPECT_EQ(page->escapes, 2);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(CommonForm, EnterPressesOkWhenItIsTheDefault) {
    auto* page = new EditPage(form.get(), "Page", QSize(200, 100));
    form->AddPage(page);
    form->show();
    QTest::keyClick(page->Edit, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}
