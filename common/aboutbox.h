#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

class QLabel;

namespace qs {

// What differs between the programs' About windows.
struct AboutInfo
{
    QString objectName; // the window's name in the program ("frmAbout")
    QString appTitle;   // caption is "About " + appTitle
    QString fixedTitle; // the title label's design text; empty: the application title
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString description; // notice text
    QString disclaimer;
    QIcon icon;
};

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    AboutBox(const AboutInfo &info, QWidget *parent);

    // Creates the window, shows it modally and destroys it when it closes.
    static void open(const AboutInfo &info, QWidget *parent);
    static QString versionText(const AboutInfo &info);
    // "1.5.3".
    static QString versionNumber(int major, int minor, int revision);
};

} // namespace qs
