// Wildcard matching of names against the file list's mask.
#include "widgets/name_mask.h"

namespace vavizi
{
namespace
{

// Greedy wildcard match with one backtrack point, on case-folded text.
bool WildcardMatch(const QString& pattern, const QString& name)
{
  qsizetype p = 0;
  qsizetype n = 0;
  qsizetype star = -1;
  qsizetype star_name = 0;
  while (n < name.size())
  {
    if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n]))
    {
      ++p;
      ++n;
    }
    else if (p < pattern.size() && pattern[p] == QLatin1Char('*'))
    {
      star = p++;
      star_name = n;
    }
    else if (star >= 0)
    {
      p = star + 1;
      n = ++star_name;
    }
    else
    {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
  {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace

NameMask::NameMask(const QString& mask) : m_text(mask)
{
  for (const QString& part : mask.split(QLatin1Char(';')))
  {
    const QString pattern = part.trimmed().toCaseFolded();
    if (!pattern.isEmpty())
    {
      m_patterns.push_back(pattern);
    }
  }
}

bool NameMask::Matches(const QString& name) const
{
  if (m_patterns.isEmpty())
  {
    return true;
  }
  const QString folded = name.toCaseFolded();
  for (const QString& pattern : m_patterns)
  {
    if (pattern == QLatin1String("*.*") || WildcardMatch(pattern, folded))
    {
      return true;
    }
  }
  return false;
}

}  // namespace vavizi
