// Times one conversion through the real main window: the three windows created as the program
// creates them, the image selected in the source file list, the destination folder set, the start
// button pressed inside the event loop, the description dialog left with Enter and any question
// answered Yes. Prints the time from the press to the end of the command, and how much of it went
// to the wait for the next clock second that every windowed run begins with.
//
//   window_driver IMAGE DESTINATION_FOLDER
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "application.h"
#include "ui_Unit1.h"
#include "ui_Unit3.h"

#include "core/system_clock.h"
#include "widgets/directory_list_box.h"
#include "widgets/file_list_box.h"
#include "widgets/panel.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{

using SteadyClock = std::chrono::steady_clock;

// The system clock, noting when the run's wait for the next second ended: the first reading after
// the last sleep.
class WatchedClock final : public vavizi::Clock
{
public:
  std::int64_t NowSeconds() override
  {
    if (m_slept)
    {
      copy_start = SteadyClock::now();
      m_slept = false;
    }
    return m_clock.NowSeconds();
  }
  void Sleep(std::chrono::milliseconds duration) override
  {
    m_clock.Sleep(duration);
    m_slept = true;
  }

  SteadyClock::time_point copy_start{};

private:
  vavizi::SystemClock m_clock;
  bool m_slept = false;
};

double Seconds(SteadyClock::duration duration)
{
  return std::chrono::duration<double>(duration).count();
}

}  // namespace

int main(int argc, char** argv)
{
  vavizi::Application application(argc, argv);
  if (argc != 3)
  {
    std::fprintf(stderr, "usage: window_driver IMAGE DESTINATION_FOLDER\n");
    return 2;
  }
  // Absolute at once: the browsers change the current folder.
  const QFileInfo image(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  const QString destination = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();

  vavizi::PrepareApplication(application);
  WatchedClock clock;
  TForm1::Services services;
  services.clock = &clock;
  Form1 = new TForm1(services);
  Form1->SetTitle("VAVIZI");
  AboutBox = new TAboutBox;
  AboutBox->SetMainWindow(Form1);
  Form3 = new TForm3;
  Form3->SetMainWindow(Form1);
  Form1->show();
  if (!QTest::qWaitForWindowExposed(Form1))
  {
    std::fprintf(stderr, "window_driver: the main window was not shown\n");
    return 1;
  }

  // A folder the browsers cannot open ends the run instead of waiting on a message box.
  const auto report = [](QWidget*, const QString& message)
  {
    std::fprintf(stderr, "window_driver: %s\n", message.toUtf8().constData());
    std::exit(1);
  };
  Form1->ui->DirectoryListBox1->SetFailureReport(report);
  Form1->ui->DirectoryListBox2->SetFailureReport(report);
  Form1->ui->DirectoryListBox2->SetDirectory(destination.toStdString());
  Form1->ui->DirectoryListBox1->SetDirectory(image.absolutePath().toStdString());
  vavizi::FileListBox* files = Form1->ui->FileListBox1;
  const auto items = files->findItems(image.fileName(), Qt::MatchExactly);
  if (items.size() != 1)
  {
    std::fprintf(stderr, "window_driver: %s is not in the file list\n", argv[1]);
    return 1;
  }
  files->scrollToItem(items[0]);
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                    files->visualItemRect(items[0]).center());

  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout,
                   []
                   {
                     if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                       box->button(QMessageBox::Yes)->click();
                     else if (Form3->isVisible())
                       QTest::keyClick(Form3->ui->Edit1, Qt::Key_Return);
                   });
  answerer.start(1);

  SteadyClock::time_point pressed;
  SteadyClock::time_point returned;
  QTimer::singleShot(0,
                     [&]
                     {
                       pressed = SteadyClock::now();
                       QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
                       returned = SteadyClock::now();
                       // Not quit(), which closes the windows and so writes the window state file.
                       QApplication::exit(0);
                     });
  QApplication::exec();

  const QString message = Form1->ui->Panel1->Text();
  const bool done = message.endsWith(QStringLiteral("が出来ました"));
  if (!done)
    std::fprintf(stderr, "window_driver: %s\n", message.toUtf8().constData());
  else
    std::printf("total %.3f wait %.3f copy %.3f\n", Seconds(returned - pressed),
                Seconds(clock.copy_start - pressed), Seconds(returned - clock.copy_start));
  delete Form3;
  delete AboutBox;
  delete Form1;
  return done ? 0 : 1;
}
