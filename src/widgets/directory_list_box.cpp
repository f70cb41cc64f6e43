// The folder list, built anew for every folder it shows.
#include "widgets/directory_list_box.h"

#include "platform/current_folder.h"
#include "platform/display_name.h"
#include "platform/folder_listing.h"
#include "widgets/drive_combo_box.h"
#include "widgets/file_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace vavizi
{
namespace
{

constexpr int PATH_ROLE = Qt::UserRole;
constexpr int LEVEL_ROLE = Qt::UserRole + 1;

// Draws each row moved right by its level in the tree, at the list's fixed row height.
class TreeRowDelegate final : public QStyledItemDelegate
{
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override
  {
    QStyleOptionViewItem moved(option);
    moved.rect.adjust(index.data(LEVEL_ROLE).toInt() * DirectoryListBox::INDENT, 0, 0, 0);
    QStyledItemDelegate::paint(painter, moved, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
  {
    const QSize hint = QStyledItemDelegate::sizeHint(option, index);
    return {hint.width() + index.data(LEVEL_ROLE).toInt() * DirectoryListBox::INDENT,
            DirectoryListBox::ITEM_HEIGHT};
  }
};

QByteArray Bytes(const std::string& text)
{
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : DirectoryListBox(ProcessDriveFolders(), parent)
{
}

DirectoryListBox::DirectoryListBox(DriveFolders& folders, QWidget* parent)
    : QListWidget(parent), m_folders(folders)
{
  setItemDelegate(new TreeRowDelegate(this));
  setUniformItemSizes(true);
  setIconSize(QSize(ITEM_HEIGHT, ITEM_HEIGHT));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_directory = CurrentFolder();
  if (m_directory.empty())
  {
    m_directory.assign(1, '/');  // not = "/": GCC 12 warns falsely of overlapping copies there
  }
  Build();
}

void DirectoryListBox::SetDirectory(const std::string& path)
{
  static_cast<void>(TrySetDirectory(path));
}

bool DirectoryListBox::TrySetDirectory(const std::string& path)
{
  const std::string folder = PlainFolderPath(path, m_directory);
  if (folder == m_directory)
  {
    if (ChangeCurrentFolder(folder))
    {
      m_folders.Remember(folder);
    }
    return true;
  }
  if (!IsFolder(folder) || !ChangeCurrentFolder(folder))
  {
    m_report(this, QStringLiteral("フォルダ %1 を開けません。").arg(DisplayName(folder)));
    return false;
  }
  // Current on its drive before the drive selector moves, so the selector brings the list here.
  m_folders.Remember(folder);
  const std::optional<vavizi::Drive> drive = m_folders.Drives().DriveOf(std::string_view(folder));
  if (m_drive_combo != nullptr && drive && m_drive_combo->Drive() != drive->letter)
  {
    static_cast<void>(m_drive_combo->SetDrive(drive->letter));
  }
  if (m_directory != folder && !Enter(folder))
  {
    m_report(this, QStringLiteral("フォルダ %1 を開けません。").arg(DisplayName(folder)));
    return false;
  }
  return true;
}

void DirectoryListBox::SetFileList(FileListBox* list)
{
  m_file_list = list;
  if (list != nullptr)
  {
    list->SetDirectory(m_directory);
  }
}

void DirectoryListBox::SetDriveCombo(DriveComboBox* combo)
{
  if (combo != nullptr)
  {
    combo->SetDirList(this);
  }
  else if (m_drive_combo != nullptr)
  {
    m_drive_combo->SetDirList(nullptr);
  }
}

std::string DirectoryListBox::FolderOfRow(int row) const
{
  const QListWidgetItem* row_item = item(row);
  if (row_item == nullptr)
  {
    return {};
  }
  return row_item->data(PATH_ROLE).toByteArray().toStdString();
}

void DirectoryListBox::Reread()
{
  Build();
}

void DirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton)
  {
    QListWidget::mouseDoubleClickEvent(event);
    return;
  }
  // The handler runs first: it must see the list before the folder changes.
  emit DblClick();
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid())
  {
    SetDirectory(FolderOfRow(index.row()));
  }
  event->accept();
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event)
{
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
  {
    if (currentRow() >= 0)
    {
      SetDirectory(FolderOfRow(currentRow()));
    }
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

bool DirectoryListBox::Enter(const std::string& folder)
{
  if (!ChangeCurrentFolder(folder))
  {
    return false;
  }
  m_folders.Remember(folder);
  m_directory = folder;
  Build();
  if (m_file_list != nullptr)
  {
    m_file_list->SetDirectory(folder);
  }
  return true;
}

void DirectoryListBox::Build()
{
  clear();
  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);

  const std::optional<vavizi::Drive> drive =
      m_folders.Drives().DriveOf(std::string_view(m_directory));
  const std::string root = drive ? drive->root : std::string("/");

  auto add_row = [this](const QIcon& icon, const QString& text, const std::string& path, int level)
  {
    auto* row = new QListWidgetItem(icon, text, this);
    row->setData(PATH_ROLE, Bytes(path));
    row->setData(LEVEL_ROLE, level);
  };

  add_row(open_icon, DisplayName(root), root, 0);
  int level = 0;
  std::size_t pos = root == "/" ? 1 : root.size() + 1;
  while (pos <= m_directory.size() && m_directory.size() > root.size())
  {
    const std::size_t slash = std::min(m_directory.find('/', pos), m_directory.size());
    ++level;
    add_row(open_icon, DisplayName(std::string_view(m_directory).substr(pos, slash - pos)),
            m_directory.substr(0, slash), level);
    pos = slash + 1;
  }
  const int current_row = count() - 1;
  for (const std::string& name : ListSubFolders(m_directory))
  {
    add_row(closed_icon, DisplayName(name), JoinPath(m_directory, name), level + 1);
  }
  setCurrentRow(current_row);
}

}  // namespace vavizi
