// The file list, read with the platform's folder listing.
#include "widgets/file_list_box.h"

#include "platform/current_folder.h"
#include "platform/display_name.h"
#include "platform/folder_listing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace vavizi
{
namespace
{

constexpr int NAME_ROLE = Qt::UserRole;

// CD images and KEB images get the picture of a disc, every other file that of a document.
const NameMask DISC_IMAGES(QStringLiteral("*.ISO;*.IMG;*.KEB"));

class FixedHeightDelegate final : public QStyledItemDelegate
{
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
  {
    return {QStyledItemDelegate::sizeHint(option, index).width(), FileListBox::ITEM_HEIGHT};
  }
};

}  // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent)
{
  setItemDelegate(new FixedHeightDelegate(this));
  setUniformItemSizes(true);
  setIconSize(QSize(ITEM_HEIGHT, ITEM_HEIGHT));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_directory = CurrentFolder();
  Update();
}

void FileListBox::SetDirectory(const std::string& folder)
{
  m_directory = folder;
  Update();
}

void FileListBox::SetMask(const QString& mask)
{
  m_mask = NameMask(mask);
  Update();
}

void FileListBox::Update()
{
  const QSignalBlocker blocker(this);
  clear();
  const QIcon disc_icon = style()->standardIcon(QStyle::SP_DriveCDIcon);
  const QIcon file_icon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const std::string& name : ListPlainFiles(m_directory))
  {
    const QString shown = DisplayName(name);
    if (!m_mask.Matches(shown))
    {
      continue;
    }
    auto* row =
        new QListWidgetItem(DISC_IMAGES.Matches(shown) ? disc_icon : file_icon, shown, this);
    row->setData(NAME_ROLE, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  }
  clearSelection();
  setCurrentRow(-1);
}

std::string FileListBox::FileName() const
{
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty())
  {
    return {};
  }
  return JoinPath(m_directory, NameOfRow(row(selected.front())));
}

std::string FileListBox::NameOfRow(int row_number) const
{
  const QListWidgetItem* row_item = item(row_number);
  return row_item == nullptr ? std::string()
                             : row_item->data(NAME_ROLE).toByteArray().toStdString();
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
  QListWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
  {
    emit Click();
  }
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
  QListWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
  {
    emit DblClick();
  }
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
  const int before = currentRow();
  const bool had_selection = !selectedItems().isEmpty();
  QListWidget::keyPressEvent(event);
  if ((currentRow() != before || !had_selection) && !selectedItems().isEmpty())
  {
    emit Click();
  }
}

}  // namespace vavizi
