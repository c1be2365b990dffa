#pragma once

#include "services/Dialogs.h"

#include <QString>

// The program's one wrapper around the open and save file dialogs. Callers
// set every property they rely on, show a dialog, then read Filename and
// CancelError. Properties keep their values between uses.
class clsCdlg {
public:
    explicit clsCdlg(Dialogs& dialogs) : dialogs_(dialogs) {}

    void setInitDir(const QString& dir) { initDir_ = dir; }
    // "UTX Files|*.utx|All Files|*.*": description and pattern pairs.
    void setFilter(const QString& filter) { filter_ = filter; }
    QString Filename() const { return fileName_; }
    void setFilename(const QString& name) { fileName_ = name; }
    bool CancelError() const { return cancelError_; }
    void setCancelError(bool cancelled) { cancelError_ = cancelled; }

    // The chosen file is only named, never read: its reader reads it.
    void ShowOpen();
    // A proposed name too long for a file name (255 characters and more) shows
    // no dialog and changes nothing.
    void ShowSave();

private:
    void show(bool save);

    Dialogs& dialogs_;
    QString initDir_;
    QString filter_;
    QString fileName_;
    bool cancelError_ = false;
};

// "A|*.a|B|*.*" in Qt's form "A (*.a);;B (*)".
QString QtFileFilter(const QString& filter);
