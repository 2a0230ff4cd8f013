#pragma once
// How the scorer reads its own XML-like files (the race XML, the event file)
// without a parser: the text is cut into tags, a tag is known by its name,
// and an attribute's value is found by its name where an attribute begins.
// Also the escaping of the attribute values that the scorer writes.
#include <QString>
#include <QStringList>

namespace kivo {

// The tags of `text` in order: from the first "<" of the rest to the first
// ">" after it, both included, then on after that ">". Text outside tags is
// skipped; a rest that holds no further "<" or no ">" after its "<" ends
// the list (it is not a tag). The list has no fixed limit.
QStringList SplitTags(const QString& text);

// The name of a tag: the text from its second character up to, not
// including, its first blank (or its first ">" when it has no blank),
// trimmed. "<boat finish=..." gives "boat", "</race>" gives "/race",
// "<?xml version=..." gives "?xml".
QString TagName(const QString& tag);

// The value of an attribute in one tag's text; positions count UTF-16
// units of the text as it stands in the file:
// 1. the attribute is found only where one begins: its name right after a
//    blank (or other white space) and right before `="`, the first such
//    place of the tag (case-sensitive); none gives "0". A name inside
//    another attribute's value never matches, since the writers escape the
//    double quote there;
// 2. the window of 2000 units of the tag that starts at the name;
// 3. everything up to and including the window's first double quote is
//    dropped;
// 4. no further double quote, or nothing before it, gives the empty text;
// 5. otherwise the text before that quote, unescaped (UnescapeXml).
// `key` is the attribute's name, with or without its "=" ("rms=", "rms").
QString GetXmlAttr(const QString& key, const QString& tag);

// An attribute value as the scorer writes it: "&", "<", ">" and the double
// quote as the predefined entities, and TAB, LF and CR as character
// references, so that any text keeps its tag on one line and comes back
// whole. A text with none of these characters is written as it is.
QString EscapeXmlAttr(const QString& value);

// One attribute as the scorer writes it into a tag: a blank, the name, "="
// and the escaped value in double quotes (` name="a &amp; b"`).
QString XmlAttrText(const char* name, const QString& value);

// The predefined entities (&amp; &lt; &gt; &quot; &apos;) and the decimal
// and hexadecimal character references (&#13; &#x3C;) turned back into
// their characters. Anything else, a lone "&" of a file written before the
// values were escaped included, stays as it is.
QString UnescapeXml(const QString& text);

}  // namespace kivo
