#include "profilefile.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;
using qs::ProfileFile;
using qs::test::crlf;

namespace {

// Reads one key with a default that no test file holds.
QString get(const ProfileFile &f, QStringView section, QStringView key)
{
    return f.getString(section, key, u"DEF");
}

template <size_t N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, N - 1); // keeps embedded NUL bytes
}

} // namespace

TEST(ProfileFileNames, MatchWithoutRegardToCase)
{
    const auto f =
        ProfileFile::fromBytes(crlf({"[Clipart Gallery]", "Name=Holiday", "[Folder1]",
                                     "ItemName1=Beach", "[\xC3\x84rger]", "\xC3\x96l=fuel"}));
    EXPECT_EQ(get(f, u"clipart gallery", u"NAME"), "Holiday");
    EXPECT_EQ(get(f, u"CLIPART GALLERY", u"name"), "Holiday");
    EXPECT_EQ(get(f, u"fOLDER1", u"itemNAME1"), "Beach");
    EXPECT_EQ(get(f, u"\u00E4RGER", u"\u00F6L"), "fuel");
    EXPECT_EQ(get(f, u"Folder 1", u"ItemName1"), "DEF");
}

TEST(ProfileFileNames, FirstSectionAndFirstKeyWin)
{
    const auto f = ProfileFile::fromBytes(
        crlf({"early=0", "[A]", "k=1", "K=2", "[B]", "k=3", "[a]", "k=4", "late=5"}));
    EXPECT_EQ(get(f, u"A", u"k"), "1");
    EXPECT_EQ(get(f, u"b", u"K"), "3");
    // The second [a] is not merged into the first.
    EXPECT_EQ(get(f, u"a", u"late"), "DEF");
    EXPECT_FALSE(f.contains(u"A", u"late"));
    // Keys before the first header belong to no named section.
    EXPECT_EQ(get(f, u"A", u"early"), "DEF");
    EXPECT_TRUE(f.contains(u"B", u"k"));
}

TEST(ProfileFileBlanks, TrimmedAroundNamesValuesAndAskedNames)
{
    const auto f =
        ProfileFile::fromBytes(crlf({"  [ \t Sec \x1A]", " \t key \v\f= \t value  x \x1A\t",
                                     "\x1A"
                                     "other=\f1\v"}));
    EXPECT_EQ(get(f, u"Sec", u"key"), "value  x");
    EXPECT_EQ(get(f, u" Sec\t", u"\tkey \r\n"), "value  x");
    EXPECT_EQ(get(f, u"\x1A sec \v", u"\fOTHER\x1A"), "1");
    EXPECT_EQ(get(f, u"Se c", u"key"), "DEF");
}

TEST(ProfileFileQuotes, OnePairRemovedAfterBlanks)
{
    const auto f = ProfileFile::fromBytes(
        crlf({"[Q]", "a=  \"  pad  \"  ", "b=\"\"x\"\"", "c='single'", "d=\"abc", "e='abc\"",
              "f=\"", "g=\"\"", "h=''", "i=x \"y\"", "j=\"y\" x"}));
    EXPECT_EQ(get(f, u"Q", u"a"), "  pad  ");
    EXPECT_EQ(get(f, u"Q", u"b"), "\"x\"");
    EXPECT_EQ(get(f, u"Q", u"c"), "single");
    EXPECT_EQ(get(f, u"Q", u"d"), "\"abc");
    EXPECT_EQ(get(f, u"Q", u"e"), "'abc\"");
    EXPECT_EQ(get(f, u"Q", u"f"), "\"");
    EXPECT_EQ(get(f, u"Q", u"g"), "");
    EXPECT_EQ(get(f, u"Q", u"h"), "");
    EXPECT_EQ(get(f, u"Q", u"i"), "x \"y\"");
    EXPECT_EQ(get(f, u"Q", u"j"), "\"y\" x");
}

TEST(ProfileFileValues, EmptyValuesEqualsSignsAndComments)
{
    const auto f = ProfileFile::fromBytes(
        crlf({"[S]", "empty=", "blank=   ", "multi=a=b=c", "inline=v ; x", "; comment=1",
              " \t;indented=2", "no equals here", "after=3"}));
    EXPECT_EQ(get(f, u"S", u"empty"), "");
    EXPECT_TRUE(f.contains(u"S", u"empty"));
    EXPECT_EQ(get(f, u"S", u"blank"), "");
    EXPECT_EQ(get(f, u"S", u"multi"), "a=b=c");
    EXPECT_EQ(get(f, u"S", u"inline"), "v ; x");
    EXPECT_EQ(get(f, u"S", u"; comment"), "DEF");
    EXPECT_EQ(get(f, u"S", u"comment"), "DEF");
    EXPECT_EQ(get(f, u"S", u";indented"), "DEF");
    EXPECT_FALSE(f.contains(u"S", u"no equals here"));
    EXPECT_EQ(get(f, u"S", u"after"), "3");
}

TEST(ProfileFileHeaders, NameRunsToLastBracket)
{
    const auto f = ProfileFile::fromBytes(crlf(
        {"[a]b]", "k=1", "[h] trailing text", "k=2", "[no bracket", "[x=3", "k=4", "[  ]", "e=5"}));
    EXPECT_EQ(get(f, u"a]b", u"k"), "1");
    EXPECT_EQ(get(f, u"a", u"k"), "DEF");
    EXPECT_EQ(get(f, u"h", u"k"), "2");
    // A line opening with '[' but without ']' is an ordinary line of the current section.
    EXPECT_FALSE(f.contains(u"no bracket", u"k"));
    EXPECT_EQ(get(f, u"h", u"[x"), "3");
    EXPECT_EQ(get(f, u"", u"e"), "5");
}

TEST(ProfileFileLines, AnyLineEndAndByteOrderMark)
{
    const auto f = ProfileFile::fromBytes(
        "\xEF\xBB\xBF[S]\rk1=a\rk2=b\nk3=c\r\nk4=d\n\rk6=\xEF\xBB\xBFv\rk5=e");
    EXPECT_EQ(get(f, u"S", u"k1"), "a");
    EXPECT_EQ(get(f, u"S", u"k2"), "b");
    EXPECT_EQ(get(f, u"S", u"k3"), "c");
    EXPECT_EQ(get(f, u"S", u"k4"), "d");
    EXPECT_EQ(get(f, u"S", u"k5"), "e");
    // Only the mark that opens the file is skipped.
    EXPECT_EQ(get(f, u"S", u"k6"), u"\uFEFFv"_s);

    // The mark is skipped in a file that is not UTF-8 as well.
    const auto ansi = ProfileFile::fromBytes("\xEF\xBB\xBF[T]\nk=\xE9");
    EXPECT_EQ(get(ansi, u"T", u"k"), u"\u00E9"_s);
}

TEST(ProfileFileLines, NulEndsNameOrValueAndParsingGoesOn)
{
    const auto f =
        ProfileFile::fromBytes(bytesOf("\0\xFF[\r\n]]]==\r\r\n[S]\r\nk=ab\0cd\"\r\n"
                                       "na\0me=v\r\n[T\0junk]\r\nt=\"q\"\0 x\r\nnext=ok"));
    EXPECT_EQ(get(f, u"S", u"k"), "ab");
    EXPECT_EQ(get(f, u"S", u"na"), "v");
    EXPECT_EQ(get(f, u"T", u"t"), "q");
    EXPECT_EQ(get(f, u"T", u"next"), "ok");
}

TEST(ProfileFileLength, ValuesAndDefaultCutTo254Characters)
{
    const QByteArray a300(300, 'a');
    const QByteArray e300 = QByteArray("\xC3\xA9").repeated(300);
    const QByteArray smiles = QByteArray("\xF0\x9F\x98\x80").repeated(300);
    const auto f = ProfileFile::fromBytes("[L]\r\nlong=" + a300 + "\r\nexact=" + a300.left(254) +
                                          "\r\nquoted=\"" + a300 + "\"\r\nacute=" + e300 +
                                          "\r\nsmile=" + smiles +
                                          "\r\nhuge=" + QByteArray(1 << 20, 'h') + "\r\nafter=1");
    EXPECT_EQ(get(f, u"L", u"long"), QString(254, u'a'));
    EXPECT_EQ(get(f, u"L", u"exact"), QString(254, u'a'));
    EXPECT_EQ(get(f, u"L", u"quoted"), QString(254, u'a'));
    EXPECT_EQ(get(f, u"L", u"acute"), QString(254, u'\u00E9'));
    const QString smile = get(f, u"L", u"smile");
    EXPECT_EQ(smile, u"\U0001F600"_s.repeated(254));
    EXPECT_EQ(get(f, u"L", u"huge"), QString(254, u'h'));
    EXPECT_EQ(get(f, u"L", u"after"), "1");

    // One byte per character in a Windows-1252 file.
    const auto ansi = ProfileFile::fromBytes("[L]\r\nk=" + QByteArray(300, '\xE9'));
    EXPECT_EQ(get(ansi, u"L", u"k"), QString(254, u'\u00E9'));

    EXPECT_EQ(f.getString(u"L", u"missing", QString(300, u'x')), QString(254, u'x'));
    EXPECT_EQ(f.getString(u"L", u"missing", u"\U0001F600"_s.repeated(300)),
              u"\U0001F600"_s.repeated(254));
}

TEST(ProfileFileMissing, DefaultForMissingFileSectionOrKey)
{
    const QString path = qs::test::testHome() + "/gallery.gal";
    EXPECT_EQ(ProfileFile::fromFile(path).getString(u"S", u"k", u"none"), "none");

    ASSERT_TRUE(qs::test::writeAll(path, crlf({"[S]", "k=on disk"})));
    const auto f = ProfileFile::fromFile(path);
    EXPECT_EQ(get(f, u"S", u"k"), "on disk");
    EXPECT_EQ(get(f, u"S", u"j"), "DEF");
    EXPECT_EQ(get(f, u"R", u"k"), "DEF");
    EXPECT_FALSE(f.contains(u"R", u"k"));

    // The default loses trailing spaces only.
    EXPECT_EQ(f.getString(u"S", u"j", u"  Untitled Folder   "), "  Untitled Folder");
    EXPECT_EQ(f.getString(u"S", u"j", u"   "), "");
    EXPECT_EQ(ProfileFile().getString(u"S", u"k", u"empty "), "empty");
    EXPECT_FALSE(ProfileFile::fromBytes({}).contains(u"S", u"k"));
}

TEST(ProfileFileEncoding, Utf8OnlyWhenTheWholeFileIsValid)
{
    const auto utf8 = ProfileFile::fromBytes(crlf({"[S]", "k=caf\xC3\xA9", "\xC3\x89t\xC3\xA9=1"}));
    EXPECT_EQ(get(utf8, u"S", u"k"), u"caf\u00E9"_s);
    EXPECT_EQ(get(utf8, u"S", u"\u00E9T\u00C9"), "1");

    // One byte that is not UTF-8 makes the whole file Windows-1252.
    const auto ansi = ProfileFile::fromBytes(
        crlf({"[S]", "k=caf\xC3\xA9", "j=\x80\x99\xE9", "[\xC4rger]", "\xD6l=2"}));
    EXPECT_EQ(get(ansi, u"S", u"k"), u"caf\u00C3\u00A9"_s);
    EXPECT_EQ(get(ansi, u"S", u"j"), u"\u20AC\u2122\u00E9"_s);
    EXPECT_EQ(get(ansi, u"\u00E4RGER", u"\u00F6l"), "2");
}

// Each section's key table starts at the size of the one before: whatever the sizes in turn,
// every key is found, by name and through a section looked up once, and no other is.
TEST(ProfileFileSections, EveryKeyIsFoundWhateverTheSizesOfTheSectionsBefore)
{
    const std::vector<int> orders[] = {{2000, 1, 0, 3}, {1, 2000, 5, 700}, {0, 0, 1000}};
    for (const std::vector<int> &sizes : orders) {
        QByteArray file;
        for (size_t s = 0; s < sizes.size(); ++s) {
            file += "[S" + QByteArray::number(qulonglong(s)) + "]\r\n";
            for (int k = 0; k < sizes[s]; ++k)
                file += "Key" + QByteArray::number(k) + "=" + QByteArray::number(qulonglong(s)) +
                        "/" + QByteArray::number(k) + "\r\n";
        }
        const ProfileFile f = ProfileFile::fromBytes(file);
        for (size_t s = 0; s < sizes.size(); ++s) {
            const QString section = "s" + QString::number(s);
            const int id = f.sectionId(section);
            ASSERT_GE(id, 0) << section.toStdString();
            for (int k = 0; k <= sizes[s]; ++k) {
                const QString key = "KEY" + QString::number(k);
                const QString want = k < sizes[s] ? QString("%1/%2").arg(s).arg(k) : "DEF";
                ASSERT_EQ(get(f, section, key), want) << section.toStdString() << ' ' << k;
                const auto ref = f.valueRef(id, key);
                ASSERT_EQ(ref.has_value(), k < sizes[s]) << section.toStdString() << ' ' << k;
                if (ref) {
                    EXPECT_EQ(file.mid(ref->offset, ref->length), want.toUtf8());
                }
            }
        }
        EXPECT_EQ(f.sectionId(u"S9"), -1);
    }
}
