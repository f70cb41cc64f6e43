// The description dialog asked for before each CD-image-to-KEB conversion. Its controls come from
// Unit3.ui; the fonts are set here because a Designer description carries point sizes only, and
// the dialog is laid out for pixel sizes at 96 pixels per inch.
#include "Unit3.h"

#include "application.h"
#include "dialog_placement.h"
#include "ui_Unit3.h"

#include <QCloseEvent>
#include <QFont>
#include <QPaintEvent>
#include <QPalette>

#include <limits>

TForm3* Form3 = nullptr;

namespace
{

constexpr int START_TAG = 1;
constexpr int CANCEL_TAG = 2;

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent), ui(new Ui::TForm3)
{
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // Only the main window keeps the program running: closing it ends the program even while
  // this dialog is shown.
  setAttribute(Qt::WA_QuitOnClose, false);

  QFont form_font = vavizi::PixelFont(QStringLiteral("MS Sans Serif"), 11);
  setFont(form_font);
  const QString gothic = QStringLiteral("ＭＳ ゴシック");
  ui->Button1->setFont(vavizi::PixelFont(gothic, 13));
  ui->Button2->setFont(vavizi::PixelFont(gothic, 13));
  ui->Edit1->setFont(vavizi::PixelFont(gothic, 16));
  ui->Panel1->setFont(vavizi::PixelFont(gothic, 16));

  QPalette black_text = palette();
  black_text.setColor(QPalette::WindowText, Qt::black);
  black_text.setColor(QPalette::ButtonText, Qt::black);
  black_text.setColor(QPalette::Text, Qt::black);
  ui->Button1->setPalette(black_text);
  ui->Button2->setPalette(black_text);
  ui->Edit1->setPalette(black_text);
  ui->Panel1->setPalette(black_text);

  ui->Edit1->setMaxLength(std::numeric_limits<int>::max());

  connect(ui->Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
  connect(ui->Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

TForm3::~TForm3()
{
  delete ui;
}

QString TForm3::Edit1Text() const
{
  return ui->Edit1->text();
}

void TForm3::Button1Click()
{
  m_tag = START_TAG;
  hide();
}

void TForm3::Button2Click()
{
  m_tag = CANCEL_TAG;
  hide();
}

void TForm3::paintEvent(QPaintEvent* event)
{
  FormPaint();
  QDialog::paintEvent(event);
}

void TForm3::closeEvent(QCloseEvent* event)
{
  FormClose();
  event->accept();
}

void TForm3::reject()
{
  Button2Click();
}

void TForm3::FormPaint()
{
  if (m_main_window)
    vavizi::CentreOverMainWindow(*this, *m_main_window);
}

void TForm3::FormClose()
{
  m_tag = CANCEL_TAG;
}
