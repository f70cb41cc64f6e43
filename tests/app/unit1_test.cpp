// The main window driven as a person drives it: select a file, press the start button, answer the
// questions and the description dialog, abort, close; with the layout checked against its table.
#include "Unit1.h"

#include "Unit2.h"
#include "Unit3.h"
#include "application.h"
#include "ui_Unit1.h"
#include "ui_Unit3.h"
#include "window_test_support.h"

#include "core/keb_format.h"
#include "core/messages.h"
#include "platform/drive_space.h"
#include "support/image_builder.h"
#include "widgets/directory_list_box.h"
#include "widgets/drive_combo_box.h"
#include "widgets/file_list_box.h"
#include "widgets/panel.h"

#include <QDir>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <functional>
#include <map>

using vavizi::testing::Bytes;
using vavizi::testing::ReadFile;
using vavizi::testing::ScriptedClock;
using vavizi::testing::WriteFile;

namespace
{

// Free space by drive letter; a drive not in the table cannot report.
class FakeDriveSpace : public vavizi::DriveSpace
{
public:
  std::int64_t FreeBytes(char letter) override
  {
    const auto found = bytes.find(static_cast<char>(std::tolower(letter)));
    return found == bytes.end() ? -1 : found->second;
  }
  std::map<char, std::int64_t> bytes;
};

}  // namespace

class Unit1Test : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();

  void layout_data();
  void layout();
  void startupFillsFreeSpace();
  void kebToIsoFromTheWindow();
  void isoToKebThroughTheDescriptionDialog();
  void cancelledDescriptionLeavesTheDestination();
  void duringARun();
  void abortMidRun();
  void closeBoxDuringARunSavesAndFinishes();
  void vanishedFileClearsTheInformation();
  void nothingSelected();

private:
  // Answers every question box by its text, and the description dialog with `description`.
  void StartAnswering();
  void SelectSource(const QString& name);
  [[nodiscard]] QString Message() const { return Form1->ui->Panel1->Text(); }

  QTemporaryDir m_dir;
  QString m_in;
  QString m_out;
  FakeDriveSpace m_space;
  ScriptedClock m_clock;
  QTimer m_answerer;
  std::map<QString, bool> m_answers;
  QStringList m_asked;
  QString m_description;
  bool m_cancel_description = false;
  bool m_escape_description = false;
};

void Unit1Test::initTestCase()
{
  vavizi::PrepareApplication(*qApp);
  m_in = m_dir.filePath("in");
  m_out = m_dir.filePath("out");
  QDir().mkpath(m_in);
  QDir().mkpath(m_out);
  connect(&m_answerer, &QTimer::timeout, this,
          [this]
          {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            {
              m_asked << box->text();
              QCOMPARE(box->windowTitle(), QStringLiteral("確認"));
              QCOMPARE(box->icon(), QMessageBox::NoIcon);
              const bool yes = m_answers.count(box->text()) && m_answers[box->text()];
              box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            }
            else if (Form3 && Form3->isVisible())
            {
              if (m_escape_description)
              {
                QTest::keyClick(Form3->ui->Edit1, Qt::Key_Escape);
              }
              else if (m_cancel_description)
              {
                Form3->close();
              }
              else
              {
                if (!m_description.isNull())
                  Form3->ui->Edit1->setText(m_description);
                QTest::keyClick(Form3->ui->Edit1, Qt::Key_Return);
              }
            }
          });
  m_answerer.setInterval(5);
}

void Unit1Test::init()
{
  QDir(m_in).removeRecursively();
  QDir(m_out).removeRecursively();
  QDir().mkpath(m_in);
  QDir().mkpath(m_out);
  QDir::setCurrent(m_in);
  m_space.bytes = {{'c', 5'000'000'000'000}};
  m_clock = ScriptedClock();
  m_answers.clear();
  m_asked.clear();
  m_description = QString();
  m_cancel_description = false;
  m_escape_description = false;

  TForm1::Services services;
  services.clock = &m_clock;
  services.drive_space = &m_space;
  vavizi::testing::OpenWindows(services);
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  Form1->ui->DirectoryListBox2->SetDirectory(m_out.toStdString());
}

void Unit1Test::cleanup()
{
  m_answerer.stop();
  vavizi::testing::CloseWindows();
  QDir::setCurrent(QDir::tempPath());
}

void Unit1Test::StartAnswering()
{
  m_answerer.start();
}

void Unit1Test::SelectSource(const QString& name)
{
  Form1->ui->DirectoryListBox1->SetDirectory(m_in.toStdString());
  vavizi::FileListBox* list = Form1->ui->FileListBox1;
  list->Update();  // the files were written after the list was read
  const auto items = list->findItems(name, Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
  QCOMPARE(list->FileName(), (m_in + "/" + name).toStdString());
}

void Unit1Test::layout_data()
{
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("hint");

  const QString none;
  QTest::newRow("Button1") << "Button1" << QRect(384, 112, 81, 49) << "START->>"
                           << "変換開始ボタン";
  QTest::newRow("Panel1") << "Panel1" << QRect(8, 304, 465, 41) << ""
                          << "ﾒｯｾｰｼﾞ表示";
  QTest::newRow("Panel2") << "Panel2" << QRect(8, 280, 137, 25) << "変換経過表示バー" << none;
  QTest::newRow("GroupBox1") << "GroupBox1" << QRect(0, 8, 385, 265) << "変換対象ファイル" << none;
  QTest::newRow("Panel3") << "Panel3" << QRect(216, 40, 161, 17) << "ファイル名(*.KEB,*.ISO,*.IMG)"
                          << none;
  QTest::newRow("Panel5") << "Panel5" << QRect(216, 160, 65, 25) << "ﾌｧｲﾙｻｲｽﾞ" << none;
  QTest::newRow("Panel6") << "Panel6" << QRect(280, 160, 97, 25) << "" << none;
  QTest::newRow("Panel7") << "Panel7" << QRect(216, 208, 65, 25) << "日　　付" << none;
  QTest::newRow("Panel8") << "Panel8" << QRect(280, 208, 97, 25) << "" << none;
  QTest::newRow("Panel9") << "Panel9" << QRect(216, 232, 65, 25) << "時　　間" << none;
  QTest::newRow("Panel10") << "Panel10" << QRect(280, 232, 97, 25) << "" << none;
  QTest::newRow("Panel11") << "Panel11" << QRect(216, 184, 65, 25) << "ｾｸﾀｻｲｽﾞ" << none;
  QTest::newRow("Panel12") << "Panel12" << QRect(280, 184, 97, 25) << "" << none;
  QTest::newRow("Panel13") << "Panel13" << QRect(216, 8, 161, 25) << "空 5,000,000,000KByte"
                           << "ﾄﾞﾗｲﾌﾞ空き容量";
  QTest::newRow("DriveComboBox1") << "DriveComboBox1" << QRect(8, 24, 201, 18) << none << none;
  QTest::newRow("DirectoryListBox1")
      << "DirectoryListBox1" << QRect(8, 48, 201, 217) << none << none;
  QTest::newRow("FileListBox1") << "FileListBox1" << QRect(216, 64, 161, 97) << none << none;
  QTest::newRow("GroupBox2") << "GroupBox2" << QRect(464, 8, 217, 265) << "変換後格納フォルダ"
                             << none;
  QTest::newRow("Panel14") << "Panel14" << QRect(8, 40, 201, 25) << "空 5,000,000,000KByte"
                           << "ﾄﾞﾗｲﾌﾞ空き容量";
  QTest::newRow("DriveComboBox2") << "DriveComboBox2" << QRect(472, 24, 201, 18) << none << none;
  QTest::newRow("DirectoryListBox2")
      << "DirectoryListBox2" << QRect(472, 72, 201, 193) << none << none;
  QTest::newRow("ProgressBar1") << "ProgressBar1" << QRect(208, 283, 265, 17) << none
                                << "変換経過表示バー";
  QTest::newRow("Panel4") << "Panel4" << QRect(144, 280, 65, 25) << "" << none;
  QTest::newRow("BitBtn1") << "BitBtn1" << QRect(528, 296, 97, 41) << "閉じる(&C)" << none;
  QTest::newRow("Panel15") << "Panel15" << QRect(384, 168, 81, 25) << "変換残り時間" << none;
  QTest::newRow("Panel16") << "Panel16" << QRect(384, 192, 81, 25) << "" << none;
  QTest::newRow("Button2") << "Button2" << QRect(392, 224, 65, 33) << "変換中止" << none;
}

void Unit1Test::layout()
{
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  QFETCH(QString, hint);

  QCOMPARE(Form1->centralWidget()->size(), QSize(680, 356));
  auto* widget = Form1->findChild<QWidget*>(name);
  QVERIFY(widget);
  QCOMPARE(widget->geometry(), geometry);
  QCOMPARE(widget->toolTip(), hint.isNull() ? QString() : hint);
  if (text.isNull())
    return;
  if (auto* panel = qobject_cast<vavizi::Panel*>(widget))
    QCOMPARE(panel->Text(), text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    QCOMPARE(button->text(), text);
  else if (auto* group = qobject_cast<QGroupBox*>(widget))
    QCOMPARE(group->title(), text);
}

void Unit1Test::startupFillsFreeSpace()
{
  // Shown once already by init(): both selectors reported their drive.
  QCOMPARE(Form1->State().destination_free_space, 5'000'000'000);
  QVERIFY(Form1->ui->Button2->isHidden());
  QCOMPARE(Form1->Title(), std::string("VAVIZI"));
  QVERIFY(!Form3->isVisible());
  QVERIFY(!AboutBox->isVisible());

  m_space.bytes.clear();  // the drive can no longer report
  emit Form1->ui->DriveComboBox2->Change();
  QCOMPARE(Form1->ui->Panel14->Text(), QStringLiteral("空 0KByte"));
  QCOMPARE(Form1->State().destination_free_space, 0);
}

void Unit1Test::kebToIsoFromTheWindow()
{
  const Bytes data = vavizi::testing::Pattern(284 * 2048, 5);
  const auto header = vavizi::keb::BuildHeader(vavizi::keb::Form::Plain, 300 * 2048, "");
  Bytes keb(header.begin(), header.end());
  keb.insert(keb.end(), data.begin(), data.end());
  WriteFile(m_in + "/disc.keb", keb);

  SelectSource("disc.keb");
  QCOMPARE(Form1->ui->Panel6->Text(), QStringLiteral("582,144Byte"));
  QCOMPARE(Form1->ui->Panel12->Text(), QStringLiteral("2048Byte/ｾｸﾀ"));
  QVERIFY(!Form1->ui->Panel8->Text().isEmpty());

  m_answers[QString::fromUtf8(vavizi::text::QUESTION_START)] = true;
  StartAnswering();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);

  QCOMPARE(Message(), QStringLiteral("ﾌｧｲﾙ(%1/disc.ISO)が出来ました").arg(m_out));
  QCOMPARE(m_asked, QStringList{QString::fromUtf8(vavizi::text::QUESTION_START)});
  Bytes expected(32768, 0);
  expected.insert(expected.end(), data.begin(), data.end());
  QVERIFY(ReadFile(m_out + "/disc.ISO") == expected);
  QCOMPARE(Form1->ui->Panel4->Text(), QStringLiteral("(100%)"));
  QCOMPARE(Form1->ui->ProgressBar1->value(), 100);
  QCOMPARE(Form1->ui->Panel6->Text(), QString());
  QCOMPARE(Form1->ui->Panel12->Text(), QString());
  QCOMPARE(Form1->State().file_selected, 0);
  QVERIFY(Form1->ui->FileListBox1->selectedItems().isEmpty());
  QCOMPARE(Form1->Title(), std::string("VAVIZI"));
  QVERIFY(Form1->ui->Button1->isEnabled());
  QVERIFY(Form1->ui->BitBtn1->isEnabled());
  QVERIFY(Form1->ui->Button2->isHidden());
}

void Unit1Test::isoToKebThroughTheDescriptionDialog()
{
  const Bytes iso = vavizi::testing::MakeIsoData(40);
  WriteFile(m_in + "/disc.iso", iso);
  SelectSource("disc.iso");
  QCOMPARE(Form3->ui->Edit1->text(), QStringLiteral("ＩＳＯｔｏRID"));
  m_description = QStringLiteral("テスト～ disc");
  StartAnswering();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);

  QCOMPARE(Message(), QStringLiteral("ﾌｧｲﾙ(%1/disc.KEB)が出来ました").arg(m_out));
  const Bytes keb = ReadFile(m_out + "/disc.KEB");
  QCOMPARE(keb.size(), std::size_t{512 + 24 * 2048});
  const std::string stored(keb.begin() + 12, keb.begin() + 12 + 14);
  QCOMPARE(QByteArray::fromStdString(stored),
           QByteArray("\x83\x65\x83\x58\x83\x67\x81\x60 disc\0", 14));
  QVERIFY(Form1->isEnabled());
  QVERIFY(!Form3->isVisible());

  // The next conversion offers the text used last.
  QCOMPARE(Form3->ui->Edit1->text(), m_description);
}

void Unit1Test::cancelledDescriptionLeavesTheDestination()
{
  WriteFile(m_in + "/disc.iso", vavizi::testing::MakeIsoData(40));
  const Bytes old = vavizi::testing::Pattern(1000, 1);
  for (const bool escape : {true, false})
  {
    WriteFile(m_out + "/disc.KEB", old);
    SelectSource("disc.iso");
    m_answers[QString::fromUtf8(vavizi::text::QUESTION_OVERWRITE)] = true;
    m_escape_description = escape;
    m_cancel_description = !escape;
    StartAnswering();
    QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
    QCOMPARE(Message(), QStringLiteral("変換を中止しました"));
    QVERIFY(ReadFile(m_out + "/disc.KEB") == old);
    QCOMPARE(Form3->Tag(), 2);
    QVERIFY(Form1->isEnabled());
    QCOMPARE(Form1->State().file_selected, 1);
  }
}

void Unit1Test::duringARun()
{
  WriteFile(m_in + "/disc.iso", vavizi::testing::MakeIsoData(200));
  SelectSource("disc.iso");
  bool sampled = false;
  int list_opens = 0;
  m_clock.on_reading = [&](int reading)
  {
    if (reading != 40)
      return;
    sampled = true;
    QVERIFY(!Form1->ui->Button1->isEnabled());
    QVERIFY(!Form1->ui->BitBtn1->isEnabled());
    QVERIFY(!Form1->ui->Button2->isHidden());
    QVERIFY(QString::fromStdString(Form1->Title()).startsWith(QStringLiteral("変換済(")));
    QVERIFY(Form1->ui->Panel4->Text().startsWith("("));
    QVERIFY(Form1->ui->ProgressBar1->value() > 0);
    QVERIFY(!Form1->ui->Panel16->Text().isEmpty());
    // A double-click in the file list and the exit command do nothing now.
    const auto items = Form1->ui->FileListBox1->findItems("disc.iso", Qt::MatchExactly);
    QTest::mouseDClick(Form1->ui->FileListBox1->viewport(), Qt::LeftButton, {},
                       Form1->ui->FileListBox1->visualItemRect(items[0]).center());
    list_opens = Form1->State().command_running ? 1 : 0;
    Form1->ui->K1->trigger();
    QVERIFY(Form1->isVisible());
  };
  StartAnswering();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
  QVERIFY(sampled);
  QCOMPARE(list_opens, 1);
  QCOMPARE(Message(), QStringLiteral("ﾌｧｲﾙ(%1/disc.KEB)が出来ました").arg(m_out));
  QCOMPARE(ReadFile(m_out + "/disc.KEB").size(), std::size_t{512 + 184 * 2048});
  QCOMPARE(Form1->ui->Panel16->Text(), QString());
}

void Unit1Test::abortMidRun()
{
  WriteFile(m_in + "/disc.iso", vavizi::testing::MakeIsoData(200));
  SelectSource("disc.iso");
  m_clock.on_reading = [&](int reading)
  {
    if (reading == 30)
      QTest::mouseClick(Form1->ui->Button2, Qt::LeftButton);
  };
  StartAnswering();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
  QCOMPARE(Message(), QStringLiteral("変換を中止しました"));
  QVERIFY(Form1->ui->Button1->isEnabled());
  QVERIFY(Form1->ui->BitBtn1->isEnabled());
  QVERIFY(Form1->ui->Button2->isHidden());
  const auto size = ReadFile(m_out + "/disc.KEB").size();
  QVERIFY(size > 512 && size < 512 + 184 * 2048);
  QCOMPARE((size - 512) % 2048, std::size_t{0});
  QCOMPARE(Form1->Title(), std::string("VAVIZI"));
}

void Unit1Test::closeBoxDuringARunSavesAndFinishes()
{
  WriteFile(m_in + "/disc.iso", vavizi::testing::MakeIsoData(200));
  SelectSource("disc.iso");
  const QString state_file = QString::fromStdString(Form1->State().start_directory) + "VAVIZI.SAV";
  QFile::remove(state_file);
  m_clock.on_reading = [&](int reading)
  {
    if (reading == 30)
      Form1->close();
  };
  StartAnswering();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
  QVERIFY(!Form1->isVisible());
  QVERIFY(QFile::exists(state_file));
  QCOMPARE(Message(), QStringLiteral("ﾌｧｲﾙ(%1/disc.KEB)が出来ました").arg(m_out));
  QCOMPARE(ReadFile(m_out + "/disc.KEB").size(), std::size_t{512 + 184 * 2048});
  QFile::remove(state_file);
}

void Unit1Test::vanishedFileClearsTheInformation()
{
  WriteFile(m_in + "/a.iso", Bytes(4096, 0));
  WriteFile(m_in + "/b.iso", Bytes(2352, 0));
  SelectSource("a.iso");
  QCOMPARE(Form1->ui->Panel6->Text(), QStringLiteral("4,096Byte"));
  QFile::remove(m_in + "/b.iso");
  const auto items = Form1->ui->FileListBox1->findItems("b.iso", Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  QTest::mouseClick(Form1->ui->FileListBox1->viewport(), Qt::LeftButton, {},
                    Form1->ui->FileListBox1->visualItemRect(items[0]).center());
  QCOMPARE(Form1->ui->Panel6->Text(), QString());
  QCOMPARE(Form1->State().file_selected, 0);
}

void Unit1Test::nothingSelected()
{
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
  QCOMPARE(Message(), QStringLiteral("ファイルが選択されていません"));
  QCOMPARE(Form1->ui->Panel4->Text(), QString());
}

QTEST_MAIN(Unit1Test)
#include "unit1_test.moc"
