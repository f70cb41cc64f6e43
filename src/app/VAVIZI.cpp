// The program's entry point: the application titled "VAVIZI", the main window, the version dialog
// and the description dialog created in that order, the event loop, and the exception display.
// The command line is not read; the exit code is 0 in every case.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "application.h"

#include <exception>

int main(int argc, char** argv)
{
  vavizi::Application application(argc, argv);
  try
  {
    vavizi::PrepareApplication(application);
    Form1 = new TForm1;
    Form1->SetTitle("VAVIZI");
    AboutBox = new TAboutBox;
    AboutBox->SetMainWindow(Form1);
    Form3 = new TForm3;
    Form3->SetMainWindow(Form1);
    Form1->show();
    QApplication::exec();
  }
  catch (const std::exception& error)
  {
    vavizi::ShowException(error.what());
  }
  delete Form3;
  delete AboutBox;
  delete Form1;
  return 0;
}
