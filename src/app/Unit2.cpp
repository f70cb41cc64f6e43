// The version dialog: the program's icon, name and version over a grooved panel. Its controls
// come from Unit2.ui; the fonts and the icon are set here, the fonts because a Designer
// description carries point sizes only, the icon because it is stretched by one pixel without
// smoothing so that its sixteen colours stay sixteen.
#include "Unit2.h"

#include "application.h"
#include "dialog_placement.h"
#include "ui_Unit2.h"

#include <QFont>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPaintEvent>
#include <QPalette>
#include <QPixmap>

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(new Ui::TAboutBox)
{
  // The icon lives in a static library: nothing else would pull its resource in.
  Q_INIT_RESOURCE(vavizi);

  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  // Only the main window keeps the program running: closing it ends the program even while
  // this dialog is shown.
  setAttribute(Qt::WA_QuitOnClose, false);

  const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
  setFont(vavizi::PixelFont(gothic, 12));
  ui->ProductName->setFont(vavizi::PixelFont(gothic, 16));
  ui->Version->setFont(vavizi::PixelFont(gothic, 13));

  QPalette black_text = ui->ProductName->palette();
  black_text.setColor(QPalette::WindowText, Qt::black);
  ui->ProductName->setPalette(black_text);
  ui->Version->setPalette(black_text);

  // The labels size themselves to their text, as the layout's sizes were measured.
  for (QLabel* label : {ui->ProductName, ui->Version, ui->Comments})
    label->adjustSize();

  const QSize icon_size = ui->ProgramIcon->size();
  ui->ProgramIcon->setPixmap(QPixmap(QStringLiteral(":/vavizi.png"))
                                 .scaled(icon_size, Qt::IgnoreAspectRatio, Qt::FastTransformation));

  connect(ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox()
{
  delete ui;
}

void TAboutBox::OKButtonClick()
{
  hide();
}

void TAboutBox::paintEvent(QPaintEvent* event)
{
  FormPaint();
  QDialog::paintEvent(event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
  // There is no cancel button: Escape does nothing rather than closing the dialog.
  if (event->matches(QKeySequence::Cancel))
  {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutBox::reject()
{
  // Escape never gets here (keyPressEvent keeps it); the close box does, and hides the dialog.
  hide();
}

void TAboutBox::FormPaint()
{
  if (m_main_window)
    vavizi::CentreOverMainWindow(*this, *m_main_window);
}
