#include "templatetestsupport.h"

#include "captiontestsupport.h"

#include "captionfit.h"
#include "promptdialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
const QString Inserted = "The following text will be inserted into the user's document:\r\n\r\n";

// Names of the controls the focus visits from the first, one Tab at a time.
QStringList tabOrder(QDialog &dialog, int stops)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QStringList order;
    for (int k = 0; k < stops; ++k) {
        QWidget *focus = QApplication::focusWidget();
        order << (focus ? focus->objectName() : QString());
        QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
    }
    return order;
}

QRect geometryOf(const QDialog &dialog, const char *name)
{
    const QWidget *w = dialog.findChild<QWidget *>(QLatin1String(name));
    return w ? w->geometry() : QRect();
}

QString labelText(const QDialog &dialog, const char *name)
{
    const QLabel *label = dialog.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QString();
}
} // namespace

TEST(PromptDialogs, InputDialogLayoutFocusAndButtons)
{
    Stencilry s;
    InsertInput dialog(*s.dialogs, s.frame.get());
    EXPECT_EQ(dialog.windowTitle(), "Input Dialog");
    EXPECT_EQ(dialog.size(), DialogUnits::of(&dialog).size(QSize(312, 167)));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(labelText(dialog, "Label1"),
              "Please enter a prompt, a beginning tag, and an ending tag for this input box.");
    EXPECT_EQ(labelText(dialog, "Label2"), "Prompt:");
    EXPECT_EQ(labelText(dialog, "Label3"), "Beginning Tag:");
    EXPECT_EQ(labelText(dialog, "Label4"), "Ending Tag:");
    EXPECT_EQ(geometryOf(dialog, "txtPrompt"),
              DialogUnits::of(&dialog).rect(QRect(81, 36, 226, 22)));
    EXPECT_EQ(geometryOf(dialog, "txtEndtag"),
              DialogUnits::of(&dialog).rect(QRect(81, 90, 226, 22)));
    EXPECT_EQ(geometryOf(dialog, "cmdPreview"),
              DialogUnits::of(&dialog).rect(QRect(3, 141, 79, 23)));
    EXPECT_EQ(geometryOf(dialog, "cmdOK"), DialogUnits::of(&dialog).rect(QRect(177, 141, 64, 23)));
    EXPECT_EQ(geometryOf(dialog, "cmdCancel"),
              DialogUnits::of(&dialog).rect(QRect(243, 141, 64, 23)));
    EXPECT_EQ(dialog.button("cmdPreview")->text(), "&Preview...");
    EXPECT_TRUE(dialog.button("cmdOK")->isDefault());
    EXPECT_FALSE(dialog.button("cmdCancel")->isDefault());

    EXPECT_EQ(tabOrder(dialog, 7), (QStringList{"txtPrompt", "txtBegintag", "txtEndtag",
                                                "cmdPreview", "cmdOK", "cmdCancel", "txtPrompt"}));
    // Enter is OK, wherever the focus is in the fields.
    QTest::keyClicks(dialog.field("txtPrompt"), "Your name?");
    QTest::keyClick(dialog.field("txtPrompt"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.item(), (TemplateItem{kind::InputDialog, "Your name?", {}}));
}

TEST(PromptDialogs, OpenDialogLayoutFocusAndButtons)
{
    Stencilry s;
    InsertOpen dialog(*s.dialogs, s.frame.get());
    EXPECT_EQ(dialog.windowTitle(), "Open Dialog");
    EXPECT_EQ(dialog.size(), DialogUnits::of(&dialog).size(QSize(312, 187)));
    EXPECT_EQ(labelText(dialog, "Label1"),
              "Please enter a prompt, filter, a beginning tag, and an ending tag for this open "
              "dialog.  Click Preview to see your dialog in action.");
    EXPECT_EQ(labelText(dialog, "Label5"), "Filter");
    EXPECT_EQ(geometryOf(dialog, "txtFilter"),
              DialogUnits::of(&dialog).rect(QRect(81, 60, 226, 22)));
    EXPECT_EQ(geometryOf(dialog, "cmdOK"), DialogUnits::of(&dialog).rect(QRect(177, 162, 64, 23)));
    // The focus starts in the first field, then goes round in the window's order.
    EXPECT_EQ(tabOrder(dialog, 8),
              (QStringList{"txtPrompt", "txtFilter", "txtBegintag", "txtEndtag", "cmdCancel",
                           "cmdOK", "cmdPreview", "txtPrompt"}));
    QTest::keyClicks(dialog.field("txtPrompt"), "ignored");
    QTest::keyClick(dialog.field("txtPrompt"), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(PromptDialogs, InputPreviewAsksAsTheHostAndShowsTheWrappedAnswer)
{
    Stencilry s;
    InsertInput dialog(*s.dialogs, s.frame.get());
    dialog.setItem({kind::InputDialog, "What is your name?", {"<b>", "</b>", {}}});
    s.dialogs->answerInput("Hello").answerMessage();
    dialog.button("cmdPreview")->click();
    const auto &shown = s.dialogs->shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "What is your name?");
    EXPECT_EQ(shown[0].caption, "Quillsite 97");
    EXPECT_EQ(shown[0].defaultText, "");
    EXPECT_EQ(shown[1].text, Inserted + "<b>Hello</b>");
    EXPECT_EQ(shown[1].caption, "Stencilry");
    EXPECT_EQ(shown[1].buttons, mb::OkOnly);
    EXPECT_EQ(shown[1].icon, mb::Information);

    s.dialogs->answerInput("").answerMessage();
    dialog.button("cmdPreview")->click();
    EXPECT_EQ(s.dialogs->messages().back(), Inserted + "<b></b>");
    // The fields stay as they were.
    EXPECT_EQ(dialog.item(),
              (TemplateItem{kind::InputDialog, "What is your name?", {"<b>", "</b>", {}}}));
}

TEST(PromptDialogs, OpenPreviewShowsThePromptThenItsOwnFileDialog)
{
    Stencilry s;
    InsertOpen dialog(*s.dialogs, s.frame.get());
    dialog.setItem({kind::OpenDialog, "Choose a picture", {"GIF|*.gif|", "<img src=\"", "\">"}});
    s.dialogs->answerMessage().answerOpen("/pics/cat.gif").answerMessage();
    dialog.button("cmdPreview")->click();
    const auto &shown = s.dialogs->shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Choose a picture");
    EXPECT_EQ(shown[0].caption, "Quillsite 97");
    EXPECT_EQ(shown[0].buttons, mb::OkOnly);
    EXPECT_EQ(shown[0].icon, 0);
    EXPECT_EQ(shown[1].options.filter, "GIF|*.gif|");
    EXPECT_EQ(shown[1].options.flags, ofn::HideReadOnly);
    EXPECT_EQ(shown[2].text, Inserted + "<img src=\"/pics/cat.gif\">");
    EXPECT_EQ(shown[2].caption, "Stencilry");
    EXPECT_EQ(shown[2].icon, mb::Information);

    // Its own dialog keeps the name while the editor is open; the frame's is not touched.
    s.dialogs->clear();
    s.dialogs->answerMessage().answerOpen(std::nullopt).answerMessage();
    dialog.button("cmdPreview")->click();
    ASSERT_EQ(s.dialogs->shown().size(), 3u);
    EXPECT_EQ(s.dialogs->shown()[1].options.fileName, "/pics/cat.gif");
    EXPECT_EQ(s.dialogs->messages(),
              (QStringList{"Choose a picture", "No text will be inserted into the user's document "
                                               "because the user chose Cancel."}));
    EXPECT_EQ(s.dialogs->shown()[2].caption, "Stencilry");
    EXPECT_EQ(s.dialogs->shown()[2].icon, mb::Information);

    s.dialogs->answerOpen(std::nullopt);
    s.newDocument();
    s.trigger("insert_file");
    EXPECT_EQ(s.dialogs->shown().back().options.fileName, "");
    EXPECT_EQ(s.dialogs->shown().back().options.filter, "Templates|*.htp|All Files|*.*|");
}

TEST(PromptDialogs, EveryControlHasAnAccessibleName)
{
    Stencilry s;
    InsertInput input(*s.dialogs, s.frame.get());
    InsertOpen open(*s.dialogs, s.frame.get());
    for (QDialog *dialog : {static_cast<QDialog *>(&input), static_cast<QDialog *>(&open)}) {
        EXPECT_FALSE(dialog->accessibleName().isEmpty());
        for (QWidget *w : dialog->findChildren<QWidget *>())
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

TEST(PromptDialogs, EnterPressesTheFocusedButtonAndOKFromAField)
{
    Stencilry s;
    {
        // Enter on Cancel adds nothing.
        InsertOpen dialog(*s.dialogs, s.frame.get());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.button("cmdCancel")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(dialog.isHidden());
    }
    {
        InsertOpen dialog(*s.dialogs, s.frame.get());
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.field("txtPrompt")->setFocus();
        QTest::keyClicks(dialog.field("txtPrompt"), "Pick a file");
        QTest::keyClick(dialog.field("txtPrompt"), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.item().text, "Pick a file");
    }
}

TEST(PromptDialogs, EveryCaptionFitsItsControl)
{
    QS_SKIP_WITHOUT_FONTS();
    Stencilry s;
    InsertInput input(*s.dialogs, s.frame.get());
    EXPECT_EQ(captionsCut(&input), QStringList());
    InsertOpen open(*s.dialogs, s.frame.get());
    EXPECT_EQ(captionsCut(&open), QStringList());
}
