// The file list's mask: patterns such as "*.KEB;*.IMG;*.ISO" separated by ";", where "*" stands for
// any run of characters and "?" for one, matched without regard to letter case.
#pragma once

#include <QString>
#include <QStringList>

namespace vavizi
{

class NameMask
{
public:
  // An empty mask, or one of only empty patterns, matches every name.
  explicit NameMask(const QString& mask = QStringLiteral("*"));

  // True when `name` matches at least one pattern as a whole; "*.*" matches names without a dot
  // too, as users of drive-letter systems expect.
  [[nodiscard]] bool Matches(const QString& name) const;

  // The mask as given.
  [[nodiscard]] const QString& Text() const { return m_text; }

private:
  QString m_text;
  QStringList m_patterns;  // case-folded
};

}  // namespace vavizi
