// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The about window: program name and purpose, the maker's web address as a
// link, and the program's icon that turns into its second colouring when
// clicked.

#include <QDialog>

class Dialoge;
class QLabel;
class QMenu;
class QPushButton;
class QFrame;

class TInfoForm : public QDialog
{
    Q_OBJECT
public:
    // The address is opened through `dialoge`, so it stays one seam for all
    // that the program hands to the desktop.
    explicit TInfoForm(Dialoge &dialoge, QWidget *parent = nullptr);

    // The about text as set at creation, with its own line separators (LF CR).
    static QString Infotext();
    static QString Adresse();

    void myLabel2Click();
    void IconClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void faerbeAdresse();
    bool adresseTaste(QEvent *event);
    Dialoge &dialoge;

    // Others reach the controls by their object names.
    QFrame *Panel1 = nullptr;
    QLabel *myLabel1 = nullptr;
    QLabel *myLabel2 = nullptr;
    QLabel *Icon = nullptr;
    QLabel *Icon2 = nullptr;
    QPushButton *BOk = nullptr;
    QMenu *PopupMenu1 = nullptr;
};
