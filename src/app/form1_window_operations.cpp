// The conversion logic's window operations over Qt.
#include "form1_window_operations.h"

#include "Unit1.h"
#include "Unit3.h"
#include "ui_Unit1.h"

#include "core/messages.h"
#include "widgets/panel.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace vavizi
{

namespace
{

constexpr std::chrono::milliseconds EVENT_INTERVAL{5};

Panel* PanelOf(Ui::TForm1& ui, Control control)
{
  switch (control)
  {
    case Control::Panel1:
      return ui.Panel1;
    case Control::Panel4:
      return ui.Panel4;
    case Control::Panel6:
      return ui.Panel6;
    case Control::Panel8:
      return ui.Panel8;
    case Control::Panel10:
      return ui.Panel10;
    case Control::Panel12:
      return ui.Panel12;
    case Control::Panel16:
      return ui.Panel16;
    default:
      return nullptr;
  }
}

}  // namespace

Form1WindowOperations::~Form1WindowOperations()
{
  if (m_busy)
    QApplication::restoreOverrideCursor();
}

QWidget* Form1WindowOperations::Widget(Control control)
{
  Ui::TForm1& ui = *m_form.ui;
  switch (control)
  {
    case Control::ProgressBar1:
      return ui.ProgressBar1;
    case Control::Button1:
      return ui.Button1;
    case Control::BitBtn1:
      return ui.BitBtn1;
    case Control::Button2:
      return ui.Button2;
    default:
      return PanelOf(ui, control);
  }
}

void Form1WindowOperations::SetText(Control control, const std::string& text)
{
  if (Panel* panel = PanelOf(*m_form.ui, control))
    panel->SetText(text);
}

void Form1WindowOperations::Repaint(Control control)
{
  if (Panel* panel = PanelOf(*m_form.ui, control))
    panel->RepaintNow();
  else if (QWidget* widget = Widget(control))
    widget->repaint();
}

void Form1WindowOperations::SetProgressRange(int minimum, int maximum)
{
  m_form.ui->ProgressBar1->setRange(minimum, maximum);
}

void Form1WindowOperations::SetProgressPosition(int position)
{
  m_form.ui->ProgressBar1->setValue(position);
}

void Form1WindowOperations::SetEnabled(Control control, bool enabled)
{
  if (QWidget* widget = Widget(control))
    widget->setEnabled(enabled);
}

void Form1WindowOperations::SetVisible(Control control, bool visible)
{
  if (QWidget* widget = Widget(control))
    widget->setVisible(visible);
}

bool Form1WindowOperations::IsVisible(Control control)
{
  // Whether the control itself is shown, not whether its window is: a run goes on when the main
  // window has been closed and hidden.
  QWidget* widget = Widget(control);
  return widget && !widget->isHidden();
}

void Form1WindowOperations::SetBusyCursor(bool busy)
{
  if (busy == m_busy)
    return;
  m_busy = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void Form1WindowOperations::SetTitle(const std::string& title)
{
  m_form.SetTitle(title);
}

bool Form1WindowOperations::Ask(const std::string& question)
{
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(text::QUESTION_TITLE),
                  QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No, &m_form);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void Form1WindowOperations::ProcessEvents()
{
  // Asked once per sector, thousands of times a second: asking the system for events costs a
  // poll each time, several times the copy of a sector. Every 5 ms keeps the window as lively to a
  // person and lets a run go at the speed of the disk.
  const auto now = std::chrono::steady_clock::now();
  if (now - m_events_processed < EVENT_INTERVAL)
    return;
  m_events_processed = now;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Form1WindowOperations::WaitForEvents()
{
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

std::string Form1WindowOperations::SelectedFilePath()
{
  return m_form.ui->FileListBox1->FileName();
}

std::string Form1WindowOperations::DestinationFolder()
{
  return m_form.ui->DirectoryListBox2->Directory();
}

void Form1WindowOperations::RereadFileList()
{
  m_form.ui->FileListBox1->Update();
}

void Form1WindowOperations::SetMainWindowEnabled(bool enabled)
{
  m_form.setEnabled(enabled);
}

void Form1WindowOperations::FocusMainWindow()
{
  m_form.activateWindow();
  m_form.setFocus();
}

void Form1WindowOperations::ShowDescriptionDialog()
{
  Form3->show();
  Form3->raise();
  Form3->activateWindow();
}

void Form1WindowOperations::SetDescriptionTag(DialogTag tag)
{
  Form3->SetTag(static_cast<int>(tag));
}

DialogTag Form1WindowOperations::DescriptionTag()
{
  return static_cast<DialogTag>(Form3->Tag());
}

std::string Form1WindowOperations::DescriptionText()
{
  return Form3->Edit1Text().toStdString();
}

}  // namespace vavizi
