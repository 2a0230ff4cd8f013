#include "core/tag_reader.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(SplitTags, TakesEachTagFromLessThanToGreaterThan) {
  EXPECT_EQ(
      SplitTags(QStringLiteral("<race a=\"1\">\r\n<boats>text</boats>")),
      (QStringList{QStringLiteral("<race a=\"1\">"), QStringLiteral("<boats>"), QStringLiteral("</boats>")}));
  // Text outside tags, a stray ">" before the first "<" included, is skipped.
  EXPECT_EQ(SplitTags(QStringLiteral("x>y<a>z")), QStringList{QStringLiteral("<a>")});
  EXPECT_TRUE(SplitTags(QString()).isEmpty());
  EXPECT_TRUE(SplitTags(QStringLiteral("no tags at all")).isEmpty());
}

TEST(SplitTags, ARestWithoutClosingBracketEndsTheListCleanly) {
  EXPECT_EQ(SplitTags(QStringLiteral("<a><b c=\"1\"")), QStringList{QStringLiteral("<a>")});
  EXPECT_EQ(SplitTags(QStringLiteral("<a>trailing text")), QStringList{QStringLiteral("<a>")});
  EXPECT_TRUE(SplitTags(QStringLiteral("<")).isEmpty());
}

TEST(SplitTags, HasNoFixedLimit) {
  QString text = QStringLiteral("<race>");
  for (int i = 0; i < 1000; ++i) text += QStringLiteral("<boat n=\"%1\"/>").arg(i);
  text += QStringLiteral("</race>");
  const QStringList tags = SplitTags(text);
  ASSERT_EQ(tags.size(), 1002);
  EXPECT_EQ(tags[1000], QStringLiteral("<boat n=\"999\"/>"));
  EXPECT_EQ(tags.last(), QStringLiteral("</race>"));
}

TEST(TagName, IsTheTextUpToTheFirstBlankOrBracket) {
  const struct {
    const char* tag;
    const char* name;
  } cases[] = {
      {"<race start=\"x\">", "race"},
      {"<legs>", "legs"},
      {"</race>", "/race"},
      {"<boat/>", "boat/"},
      {"<boat finish=\"0\"/>", "boat"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "?xml"},
      {"<Boat x=\"1\">", "Boat"},
      {"< boat x>", ""},
      {"<>", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TagName(QString::fromLatin1(c.tag)), QString::fromLatin1(c.name)) << c.tag;
}

TEST(GetXmlAttr, TakesAKeyOnlyWhereAnAttributeBegins) {
  const QString event = QStringLiteral("<event name=\"Cup\" rms=\"a.rms\" classname=\"C1\" locked=\"1\"/>");
  const QString leg =
      QStringLiteral("<leg distance=\"2\" course=\"90\" windDirection=\"45\" windSpeed=\"8\"/>");
  const QString boat = QStringLiteral("<boat constructedCourseVector=\"1,2,3\" rms=\"R\"/>");
  // A value holding another attribute's name, escaped as the writers do,
  // and the same text as a file written before the escaping holds it.
  const QString escaped =
      QStringLiteral("<event name=\"a locked=&quot;1&quot; b\" rms=\"x.rms\" locked=\"0\"/>");
  const QString unquoted = QStringLiteral("<event name=\"a locked=1 rms=2\" rms=\"x.rms\" locked=\"0\"/>");
  const struct {
    const QString& tag;
    const char* key;
    const char* value;
  } cases[] = {
      {event, "name=", "Cup"},
      {event, "name", "Cup"},  // the "=" may be left off
      {event, "classname=", "C1"},
      {event, "locked=", "1"},
      {event, "Name=", "0"},  // case-sensitive
      {event, "ame=", "0"},   // the end of a name is no name
      {event, "logol=", "0"},
      {leg, "distance=", "2"},
      {leg, "course=", "90"},
      {leg, "windDirection=", "45"},
      {leg, "Direction=", "0"},
      {leg, "windSpeed=", "8"},
      {boat, "constructedCourseVector=", "1,2,3"},
      {boat, "Vector=", "0"},
      {escaped, "name=", "a locked=\"1\" b"},
      {escaped, "locked=", "0"},
      {unquoted, "locked=", "0"},
      {unquoted, "rms=", "x.rms"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetXmlAttr(QString::fromUtf8(c.key), c.tag), QString::fromUtf8(c.value))
        << c.key << " in " << c.tag.toStdString();
}

TEST(GetXmlAttr, MissingEmptyAndUnquotedValues) {
  const QString tag = QStringLiteral("<boat finish=\"\" abbr=\"OK\"/>");
  EXPECT_EQ(GetXmlAttr(QStringLiteral("rmks="), tag), QStringLiteral("0"));
  EXPECT_EQ(GetXmlAttr(QStringLiteral("finish="), tag), QString());
  EXPECT_EQ(GetXmlAttr(QStringLiteral("key="), QStringLiteral("<a key=1>")), QStringLiteral("0"));
  EXPECT_EQ(GetXmlAttr(QStringLiteral("key="), QStringLiteral("<a key=\"open>")), QString());
}

TEST(GetXmlAttr, ValueMustCloseWithin2000UnitsOfTheKey) {
  // "rms=" (4 units) and the opening quote leave 1995 units of the window:
  // a value of 1994 fits with its closing quote, one of 1995 does not.
  const QString fits(1994, QLatin1Char('x'));
  const QString tooLong(1995, QLatin1Char('x'));
  EXPECT_EQ(GetXmlAttr(QStringLiteral("rms="),
                       QStringLiteral("<boat rms=\"") + fits + QStringLiteral("\" abbr=\"OK\"/>")),
            fits);
  EXPECT_EQ(GetXmlAttr(QStringLiteral("rms="),
                       QStringLiteral("<boat rms=\"") + tooLong + QStringLiteral("\" abbr=\"OK\"/>")),
            QString());
  // Japanese characters count one unit each, like any other.
  const QString japanese(1994, QChar(0x6D77));
  EXPECT_EQ(
      GetXmlAttr(QStringLiteral("rms="), QStringLiteral("<boat rms=\"") + japanese + QStringLiteral("\"/>")),
      japanese);
}

TEST(GetXmlAttr, WindowCountsTheTextAsItStandsInTheFile) {
  // An escaped value is longer in the file than after unescaping: the window
  // is measured on the escaped form.
  const QString inFile = QString(1990, QLatin1Char('x')) + QStringLiteral("&lt;");  // 1994 units
  EXPECT_EQ(GetXmlAttr(QStringLiteral("rms="), QStringLiteral("<b rms=\"") + inFile + QStringLiteral("\"/>")),
            QString(1990, QLatin1Char('x')) + QLatin1Char('<'));
  const QString longer = QString(1991, QLatin1Char('x')) + QStringLiteral("&lt;");  // 1995 units
  EXPECT_EQ(GetXmlAttr(QStringLiteral("rms="), QStringLiteral("<b rms=\"") + longer + QStringLiteral("\"/>")),
            QString());
}

TEST(EscapeXmlAttr, RoundTripsEveryText) {
  const QString values[] = {
      QStringLiteral("Spring Cup"),
      QStringLiteral("A&B <1> \"quoted\" 'single'"),
      QStringLiteral("&amp; already looks escaped"),
      QStringLiteral("tab\there\r\nnext line"),
      QStringLiteral("第1レース＆表彰"),
      QStringLiteral(">"),
      QString(),
  };
  for (const QString& value : values) {
    const QString tag =
        QStringLiteral("<race name=\"") + EscapeXmlAttr(value) + QStringLiteral("\" limit=\"L\">");
    const QStringList tags = SplitTags(QStringLiteral("<boats>") + tag + QStringLiteral("</boats>"));
    ASSERT_EQ(tags.size(), 3) << value.toStdString();
    EXPECT_EQ(tags[1], tag);
    EXPECT_EQ(GetXmlAttr(QStringLiteral("name="), tags[1]), value) << value.toStdString();
    EXPECT_EQ(GetXmlAttr(QStringLiteral("limit="), tags[1]), QStringLiteral("L"));
    EXPECT_FALSE(EscapeXmlAttr(value).contains(QLatin1Char('\n')));
  }
  EXPECT_EQ(EscapeXmlAttr(QStringLiteral("a&b<c>d\"e")), QStringLiteral("a&amp;b&lt;c&gt;d&quot;e"));
  EXPECT_EQ(EscapeXmlAttr(QStringLiteral("plain 'text'")), QStringLiteral("plain 'text'"));
}

TEST(UnescapeXml, DecodesEntitiesAndCharacterReferences) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
      {"a&#13;&#10;b", "a\r\nb"},
      {"&#x3C;&#x3c;&#60;", "<<<"},
      {"A&B", "A&B"},  // a lone "&" of an older file stays
      {"A & B; C", "A & B; C"},
      {"&unknown;", "&unknown;"},
      {"&#0;&#xD800;&#x110000;&#12a;&#X41;&#;", "&#0;&#xD800;&#x110000;&#12a;&#X41;&#;"},
      {"&amp", "&amp"},
      {"&amp;amp;", "&amp;"},  // decoded once
      {"no entity", "no entity"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UnescapeXml(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
  EXPECT_EQ(UnescapeXml(QStringLiteral("&#x1F600;")), QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(UnescapeXml(QStringLiteral("&#28023;")), QStringLiteral("海"));
}

}  // namespace
}  // namespace kivo
