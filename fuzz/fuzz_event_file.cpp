// The scorer's own tag reader and the event file reader over the input:
// tags cut, names and attributes found, values unescaped; every text that
// the writer escapes comes back whole; the event file read into a model.
#include <cstdint>
#include <string>

#include <QByteArray>
#include <QString>

#include "core/event_file.h"
#include "core/event_model.h"
#include "core/file_io.h"
#include "core/number_text.h"
#include "core/rms_text.h"
#include "core/tag_reader.h"
#include "fuzz_support.h"
#include "testing/one_race_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivo;
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  for (const QString& text : {QString::fromUtf8(bytes), DecodeAnsi(bytes)}) {
    for (const QString& tag : SplitTags(text)) {
      TagName(tag);
      for (const char* key : {"name=", "rms=", "locked=", "xml=", "Vector"})
        UnescapeXml(GetXmlAttr(QLatin1String(key), tag));
    }
    if (UnescapeXml(EscapeXmlAttr(text)) != text)
      kivofuzz::Finding("an escaped text does not come back whole");
    // The reader looks 2000 characters past the key for the closing quote.
    const QString attribute = XmlAttrText("name", text);
    if (attribute.size() <= 2000 && GetXmlAttr(QStringLiteral("name="), QStringLiteral("<event") + attribute +
                                                                            QStringLiteral("/>")) != text)
      kivofuzz::Finding("an attribute written by the scorer does not read back");
  }

  static EventModel model = [] {
    EventModel m = fixtures::EmptyModel();
    m.EventFile = QString::fromStdString(kivofuzz::ScratchFolder() + "/event.kivo");
    m.RmsFolder = QString::fromStdString(kivofuzz::ScratchFolder());
    return m;
  }();
  kivofuzz::WriteFile(model.EventFile.toStdString(), std::string(bytes.constData(), size_t(bytes.size())));
  try {
    ReadEventFile(model);
  } catch (const ScorerFileError&) {
  } catch (const EConvertError&) {
  }
  return 0;
}
