#include "templatedocsupport.h"

#include "templatefile.h"

#include <QDir>

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {

std::vector<TemplateItem> readBytes(const QByteArray &bytes,
                                    std::optional<ReadStop> *stop = nullptr)
{
    TemplateDocument doc;
    auto s = doc.ReadTemplate(bytes);
    if (stop)
        *stop = s;
    return doc.rows();
}

} // namespace

TEST(TemplateFile, WritesEveryKindByteForByte)
{
    EXPECT_EQ(templateText(everyKind()), everyKindFile());
    EXPECT_EQ(templateText({}), QByteArray("\r\n"));
    // An empty text is its marker alone; a text that looks like a marker keeps its own "{{".
    EXPECT_EQ(templateText({text(""), text("{{x"), text("{!"), {kind::InputDialog, {}, {}}}),
              crlf({"{{", "{{{{x", "{{{!", "{[", "", "", "", ""}));
    // A kind outside the four writes nothing.
    EXPECT_EQ(templateText({{7, "lost", {"a", "b", "c"}}, text("kept")}), crlf({"{{kept", ""}));
    // Text is written as UTF-8 (on Windows in its ANSI code page).
    EXPECT_EQ(templateText({text("café – ok")}),
              SavesUtf8 ? QByteArray("{{caf\xc3\xa9 \xe2\x80\x93 ok\r\n\r\n")
                        : QByteArray("{{caf\xe9 \x96 ok\r\n\r\n"));
}

TEST(TemplateFile, ReadsWhatItWritesAndTheEmptyTemplate)
{
    std::optional<ReadStop> stop;
    EXPECT_EQ(readBytes(everyKindFile(), &stop), everyKind());
    EXPECT_FALSE(stop);
    const std::vector<TemplateItem> tricky = {text(""),
                                              text("{{x"),
                                              text("{!"),
                                              text("{! "),
                                              {kind::InputDialog, "{!", {"{[", "{|"}},
                                              {kind::OpenDialog, "{{", {"a|b|", "", "{!"}}};
    EXPECT_EQ(readBytes(templateText(tricky), &stop), tricky);
    EXPECT_FALSE(stop);
    EXPECT_TRUE(readBytes("\r\n", &stop).empty());
    EXPECT_FALSE(stop);
    EXPECT_TRUE(readBytes("", &stop).empty());
    EXPECT_FALSE(stop);
}

TEST(TemplateFile, LineEndsAndMarkersFollowTheReadingLoop)
{
    // CR LF is one end, a lone CR or a lone LF ends a line too, and the last line needs no end.
    EXPECT_EQ(readBytes("{{a\r{{b\r\n{{c\n{{d\n\r\n{{e"),
              (std::vector<TemplateItem>{text("a"), text("b"), text("c"), text("d")}));
    // ... the empty line between d and e is no item, so e's position is past the end.
    std::optional<ReadStop> stop;
    readBytes("{{a\r{{b\r\n{{c\n{{d\n\r\n{{e", &stop);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, 6);
    EXPECT_TRUE(stop->reason.contains("position 6"));
    // A template as an editor on Linux writes it: LF alone after every line.
    EXPECT_EQ(readBytes("{!\n{[\np\nb\ne\n{|\nq\n*.txt\n<\n>\n{{t\n", &stop),
              (std::vector<TemplateItem>{{kind::CarriageReturn, CarriageReturnText, {}},
                                         {kind::InputDialog, "p", {"b", "e", ""}},
                                         {kind::OpenDialog, "q", {"*.txt", "<", ">"}},
                                         text("t")}));
    EXPECT_FALSE(stop);

    // Markers are exact and case-sensitive; a non-marker last line is harmless.
    EXPECT_EQ(readBytes(crlf({"{{one", "{! "}), &stop), std::vector<TemplateItem>{text("one")});
    EXPECT_FALSE(stop);
    EXPECT_TRUE(readBytes(crlf({" {!", "{!"}), &stop).empty());
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, 2);
    EXPECT_EQ(readBytes("{!\r\n{[\r\np\r\nb\r\ne")[1],
              (TemplateItem{kind::InputDialog, "p", {"b", "e", ""}}));
}

TEST(TemplateFile, ABlockCutOffByTheEndKeepsTheItemsBeforeIt)
{
    std::optional<ReadStop> stop;
    const auto rows = readBytes(crlf({"{{one", "{!", "{[", "prompt", "<b>"}), &stop);
    EXPECT_EQ(rows, (std::vector<TemplateItem>{text("one"),
                                               {kind::CarriageReturn, CarriageReturnText, {}}}));
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, 3);
    EXPECT_TRUE(stop->reason.contains("input dialog"));

    readBytes(crlf({"{|", "p", "f", "b"}), &stop);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, 1);
    EXPECT_TRUE(stop->reason.contains("open dialog"));
}

TEST(TemplateFile, DecodesUtf8OrWindows1252AndSkipsAByteOrderMark)
{
    EXPECT_EQ(readBytes("{{caf\xc3\xa9\r\n")[0].text, QString::fromUtf8("café"));
    EXPECT_EQ(readBytes("{{caf\xe9 \x80\r\n")[0].text, QString::fromUtf8("café €"));
    EXPECT_EQ(readBytes("\xef\xbb\xbf{{first\r\n")[0].text, "first");
    // NUL bytes are characters like any other.
    EXPECT_EQ(readBytes(QByteArray("{{a\0b\r\n", 7))[0].text, QString::fromUtf8("a\0b", 3));
}

TEST(TemplateDocumentFiles, InsertPutsTheFileOnTopAndAStrayLineLeavesARowBetween)
{
    const QString two = testHome() + "/two.htp";
    writeAll(two, crlf({"{{A", "{{B", ""}));
    TemplateDocument doc;
    for (const char *t : {"x", "y", "z"})
        doc.append(text(t));
    doc.markSaved();
    EXPECT_EQ(doc.InsertTemplateFile(two).status, FileResult::Done);
    EXPECT_EQ(texts(doc), (QStringList{"A", "B", "x", "y", "z"}));
    EXPECT_EQ(doc.title(), UntitledTitle);
    EXPECT_TRUE(doc.boolDirty());

    const QString stray = testHome() + "/stray.htp";
    writeAll(stray, crlf({"{{C", "not a marker", "{{D", ""}));
    EXPECT_EQ(doc.InsertTemplateFile(stray).status, FileResult::Done);
    EXPECT_EQ(texts(doc), (QStringList{"C", "A", "D", "B", "x", "y", "z"}));
}

TEST(TemplateDocumentFiles, SaveThenReopenGivesTheSameRowsCleanAndTitled)
{
    const QString path = testHome() + "/every.htp";
    TemplateDocument doc;
    for (TemplateItem item : everyKind())
        doc.append(std::move(item));
    doc.markChanged();
    EXPECT_EQ(doc.SaveDocument().status, FileResult::NeedsName);
    EXPECT_TRUE(doc.boolDirty());
    EXPECT_EQ(doc.SaveDocumentAs(path).status, FileResult::Done);
    EXPECT_EQ(doc.title(), path);
    EXPECT_FALSE(doc.boolDirty());
    EXPECT_EQ(readAll(path), everyKindFile());
    // Saving again replaces the file and leaves nothing else in the folder.
    doc.append(text("more"));
    EXPECT_EQ(doc.SaveDocument().status, FileResult::Done);
    EXPECT_EQ(QDir(testHome()).entryList(QDir::Files), QStringList{"every.htp"});

    TemplateDocument reopened;
    EXPECT_EQ(reopened.OpenDocument(path).status, FileResult::Done);
    EXPECT_EQ(reopened.rows(), doc.rows());
    EXPECT_EQ(reopened.title(), path);
    EXPECT_FALSE(reopened.boolDirty());
}

TEST(TemplateDocumentFiles, MissingFilesOpenEmptyAndUnreadableOnesSaySo)
{
    TemplateDocument missing;
    const QString nowhere = testHome() + "/none/such.htp";
    EXPECT_EQ(missing.OpenDocument(nowhere).status, FileResult::Done);
    EXPECT_EQ(missing.title(), nowhere);
    EXPECT_EQ(missing.count(), 0);

    TemplateDocument folder;
    const FileResult r = folder.OpenDocument(testHome());
    EXPECT_EQ(r.status, FileResult::ReadStopped);
    EXPECT_TRUE(r.message().contains(shownPath(testHome())));
    EXPECT_TRUE(r.message().contains("folder"));
    EXPECT_EQ(folder.count(), 0);
}

TEST(TemplateDocumentFiles, PartialReadNamesTheFileAndLine)
{
    const QString path = testHome() + "/cut.htp";
    writeAll(path, crlf({"{{kept", "{[", "prompt"}));
    TemplateDocument doc;
    const FileResult r = doc.OpenDocument(path);
    EXPECT_EQ(r.status, FileResult::ReadStopped);
    EXPECT_EQ(r.file, path);
    EXPECT_EQ(r.stop.line, 2);
    EXPECT_EQ(r.message(), "The template " + shownPath(path) +
                               " was not read completely.\r\n\r\nReading stopped at line 2: the "
                               "file ends inside an input dialog item.\r\n\r\nThe items read "
                               "before that line are kept.  Save them under a new name.");
    EXPECT_EQ(texts(doc), QStringList{"kept"});
    EXPECT_TRUE(doc.isUntitled());
    EXPECT_EQ(doc.SaveDocument().status, FileResult::NeedsName);
}

TEST(TemplateDocumentFiles, AFailedSaveKeepsTheFlagTheNewTitleAndTheOldFile)
{
    TemplateDocument doc;
    doc.append(text("one"));
    doc.markChanged();
    const QString bad = testHome() + "/no-folder/x.htp";
    const FileResult r = doc.SaveDocumentAs(bad);
    EXPECT_EQ(r.status, FileResult::SaveFailed);
    EXPECT_TRUE(
        r.message().startsWith("The template could not be saved to " + shownPath(bad) + "."));
    EXPECT_FALSE(r.stop.reason.isEmpty());
    EXPECT_TRUE(doc.boolDirty());
    EXPECT_EQ(doc.title(), bad);
    EXPECT_FALSE(QFile::exists(bad));

    // A folder where the file should be stays a folder.
    const QString folder = testHome() + "/taken.htp";
    QDir().mkpath(folder + "/inside");
    EXPECT_EQ(doc.SaveDocumentAs(folder).status, FileResult::SaveFailed);
    EXPECT_TRUE(QFileInfo(folder + "/inside").isDir());
    EXPECT_TRUE(doc.boolDirty());
}

TEST(TemplateDocumentFiles, ATemplateWithLfLineEndsIsSavedBackWithCrLf)
{
    const QString path = testHome() + "/linux.htp";
    QByteArray lf = everyKindFile();
    lf.replace("\r\n", "\n");
    writeAll(path, lf);
    TemplateDocument doc;
    ASSERT_EQ(doc.OpenDocument(path).status, FileResult::Done);
    EXPECT_EQ(doc.rows(), everyKind());
    ASSERT_EQ(doc.SaveDocument().status, FileResult::Done);
    EXPECT_EQ(readAll(path), everyKindFile());
}
