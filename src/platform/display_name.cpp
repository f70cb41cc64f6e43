// Decoding of on-disk names and messages for the screen.
#include "platform/display_name.h"

#include "core/cp932.h"

#include <QStringDecoder>

namespace vavizi
{

QString DisplayName(std::string_view bytes)
{
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8_decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8_decoder.decode(view);
  if (!utf8_decoder.hasError())
    return text;
  return QString::fromStdString(Cp932ToUtf8(bytes));
}

QString DisplayText(std::string_view bytes)
{
  return QString::fromStdString(MixedToUtf8(bytes));
}

}  // namespace vavizi
