// Decoding of on-disk names for the screen, through Qt for UTF-8 and iconv for CP932.
#include "platform/display_name.h"

#include <QStringDecoder>

#include <iconv.h>
#include <string>

namespace vavizi
{
namespace
{

bool DecodeCp932(std::string_view bytes, std::string& utf8)
{
  iconv_t converter = ::iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1))
  {
    return false;
  }
  std::string in(bytes);
  utf8.assign(in.size() * 3 + 4, '\0');
  char* in_ptr = in.data();
  std::size_t in_left = in.size();
  char* out_ptr = utf8.data();
  std::size_t out_left = utf8.size();
  const std::size_t result = ::iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  ::iconv_close(converter);
  if (result == static_cast<std::size_t>(-1) || in_left != 0)
  {
    return false;
  }
  utf8.resize(utf8.size() - out_left);
  return true;
}

}  // namespace

QString DisplayName(std::string_view bytes)
{
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8_decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8_decoder.decode(view);
  if (!utf8_decoder.hasError())
  {
    return text;
  }
  std::string converted;
  if (DecodeCp932(bytes, converted))
  {
    return QString::fromStdString(converted);
  }
  return text;
}

}  // namespace vavizi
