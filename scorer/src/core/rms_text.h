#pragma once
// Byte-level helpers for rating data lines (CP932 bytes exactly as read),
// the CP932 form and length of a text, and the trim that the scorer's pages
// share.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kivo {

// Blanks and control characters (every byte up to 0x20) removed at both
// ends. A CP932 trail byte is never below 0x40, so this never cuts a
// double-byte character.
QByteArrayView TrimmedBytes(QByteArrayView text);

// The bytes of `line` at 1-based columns firstColumn .. firstColumn+width-1,
// cut short at the end of the line; empty when the range starts beyond it.
QByteArrayView ColumnBytes(QByteArrayView line, int firstColumn, int width);

// ColumnBytes, trimmed: one field of a fixed-column record.
QByteArrayView FieldBytes(QByteArrayView line, int firstColumn, int width);

// CP932 bytes as text; every byte that is not valid CP932 (a Latin-1 letter,
// a lead byte cut off by a column) shows as one "?". Never fails.
QString DecodeAnsi(QByteArrayView bytes);

// Text as CP932 bytes; a character without a CP932 form becomes "?".
QByteArray EncodeAnsi(const QString& text);

// The characters of `text` that have no CP932 form, each once, in the order
// they first appear: what EncodeAnsi would turn into "?".
QStringList CharactersOutsideAnsi(const QString& text);

// Bytes of the text's CP932 form (a double-byte character counts 2), as the
// limits of names and the fixed-pitch columns count them.
int AnsiByteLength(QStringView text);

// Leading and trailing blanks and control characters removed (every
// character up to U+0020; an ideographic blank stays).
QString TrimBlanksAndControls(const QString& text);

}  // namespace kivo
