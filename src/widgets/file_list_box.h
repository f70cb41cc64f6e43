// The file list: the plain files of one folder whose names match its mask, each with a small
// picture of its kind. Names are kept as the bytes on disk, so names that are not UTF-8 (CP932
// copied from discs) are listed, shown decoded, and returned exactly.
#pragma once

#include "widgets/name_mask.h"

#include <QListWidget>

#include <string>

namespace vavizi
{

class FileListBox : public QListWidget
{
  Q_OBJECT
  Q_PROPERTY(QString mask READ Mask WRITE SetMask)

public:
  static constexpr int ITEM_HEIGHT = 16;

  // Lists the process's current folder with the mask "*".
  explicit FileListBox(QWidget* parent = nullptr);

  // The folder listed, as set (the bytes on disk).
  [[nodiscard]] std::string Directory() const { return m_directory; }
  // Lists `folder` anew with no selection.
  void SetDirectory(const std::string& folder);

  // Patterns separated by ";" ("*.KEB;*.IMG;*.ISO"), matched without regard to case.
  [[nodiscard]] QString Mask() const { return m_mask.Text(); }
  // Sets the mask and lists the folder anew with no selection.
  void SetMask(const QString& mask);

  // Reads the folder again: plain files only, no hidden ones, no entry selected.
  void Update();

  // The folder, a "/" unless it already ends in one, then the selected name (bytes on disk); empty
  // when nothing is selected.
  [[nodiscard]] std::string FileName() const;
  // The name on disk of a row; empty for a row that does not exist.
  [[nodiscard]] std::string NameOfRow(int row) const;

signals:
  // An entry was selected with the mouse or the keyboard.
  void Click();
  // An entry was double-clicked (after the Click() of its first press).
  void DblClick();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  std::string m_directory;
  NameMask m_mask;
};

}  // namespace vavizi
