#include "templatetestsupport.h"

#include <QRandomGenerator>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator random(20240611);
    QByteArray out(size, '\0');
    for (char &c : out)
        c = static_cast<char>(random.bounded(256));
    return out;
}

} // namespace

// Another program's file, or a template with lines of another kind in it, is told and opens
// untitled with what came before, so that Save asks for a name and the file stays; templates as
// they are written on Windows and on Linux open as they always did.
TEST(ForeignFiles, OnlyTemplatesOpenUnderTheirNameAndOtherFilesAreToldAndKept)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        int foreignLine; // 0: a template, opened under its name without a word
        QStringList texts;
        const char *why = "";
    };
    const Case cases[] = {
        {"the demo's sample gallery", readAll(QS_DEMO_DIR "/sample.gal"), 1, {}, "begins no item"},
        {"4 KB of random bytes", randomBytes(4096), 1, {}, ""},
        {"NUL bytes in a text line",
         QByteArray("{{kept\r\n{{be\0fore\r\n{!\r\n", 20),
         2,
         {"kept"},
         "holds a NUL byte"},
        {"a control character in a prompt",
         crlf({"{{kept", "{[", "pro\x01mpt", "<b>", "</b>"}),
         3,
         {"kept"},
         "holds the control character 0x01"},
        {"a template with a settings line after its items",
         crlf({"{{kept", "{!", "Name=x", "{{after", ""}),
         3,
         {"kept", "(Carriage Return)"},
         "begins no item"},
        {"a marker followed by a blank", crlf({"{{one", "{! "}), 2, {"one"}, "begins no item"},
        {"Windows-1252 with CR LF",
         "{{Caf\xe9 \x80 5\r\n{!\r\n{[\r\nIhr Name?\r\n<b>\r\n</b>\r\n\r\n",
         0,
         {QString::fromUtf8("Café € 5"), "(Carriage Return)", "Ihr Name?"}},
        {"UTF-8 with a byte-order mark", "\xef\xbb\xbf{{caf\xc3\xa9\r\n\r\n", 0,
         QStringList{QString::fromUtf8("café")}},
        {"LF alone, tabs and blank lines at the end",
         "{{a\tb\n{!\n\n  \n\t\n",
         0,
         {"a\tb", "(Carriage Return)"}},
        {"no line end after the last line", "{{last", 0, {"last"}},
        {"0 bytes", "", 0, {}},
        {"the demo's contact template", readAll(QS_DEMO_DIR "/templates/contact.htp"), 0, {}},
    };
    Stencilry s;
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = testHome() + QStringLiteral("/file%1.htp").arg(++n);
        ASSERT_TRUE(writeAll(path, c.bytes));
        const auto before = everyFile();
        s.dialogs->answerOpen(path);
        if (c.foreignLine)
            s.dialogs->answerMessage();
        s.trigger("file_open");
        editDlg *d = s.active();
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(d->document().boolDirty());
        if (!c.foreignLine) {
            EXPECT_TRUE(s.dialogs->messages().isEmpty());
            EXPECT_EQ(d->windowTitle(), shownPath(path));
            if (!c.texts.isEmpty() || c.bytes.isEmpty())
                EXPECT_EQ(texts(d), c.texts);
            else
                EXPECT_GT(d->document().count(), 0);
            s.dialogs->clear();
            continue;
        }
        ASSERT_EQ(s.dialogs->messages().size(), 1);
        const DialogRecord &m = s.dialogs->shown().back();
        EXPECT_TRUE(m.text.startsWith("The file " + shownPath(path) +
                                      " holds lines that are no part of a template.\r\n\r\nLine " +
                                      QString::number(c.foreignLine) + " " + c.why))
            << m.text.toStdString();
        EXPECT_TRUE(m.text.endsWith("The items read before that line are kept.  Save them under "
                                    "a new name."));
        EXPECT_EQ(m.caption, "tagloom32");
        EXPECT_EQ(texts(d), c.texts);
        EXPECT_EQ(d->windowTitle(), "Untitled");

        // An item added and Ctrl+S: the save dialog, with no name of the file read.
        s.trigger("insert_crlf");
        s.dialogs->answerSave(std::nullopt);
        QTest::keyClick(s.frame.get(), Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(s.dialogs->shown().back().kind, DialogKind::Save);
        EXPECT_EQ(s.dialogs->shown().back().options.fileName, "");
        EXPECT_EQ(everyFile(), before);
        EXPECT_EQ(readAll(path), c.bytes);
        d->document().markSaved();
        s.dialogs->clear();
    }
}
