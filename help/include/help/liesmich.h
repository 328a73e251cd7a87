// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The short-instructions window: the file liesmich.txt shown read-only.

#include <QDialog>
#include <QStringList>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class TLiesmichForm : public QDialog
{
    Q_OBJECT
public:
    // Looks for liesmich.txt in these folders, the first readable one wins.
    explicit TLiesmichForm(const QStringList &ordner = Suchordner(), QWidget *parent = nullptr);

    // Beside the executable first (the build tree, a Windows installation),
    // then the installed data folder, relative to the executable and in the
    // desktop's data folders.
    static QStringList Suchordner();

    void FormCreate(const QStringList &ordner);
    void MliesmichEnter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Others reach the controls by their object names.
    QPlainTextEdit *Mliesmich = nullptr;
    QPushButton *BSchliessen = nullptr;
    QLabel *Icon = nullptr;
    QLabel *Icon2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
};
