#pragma once

#include "services/Dialogs.h"

#include <QByteArray>
#include <QString>

// The program's one wrapper around the open and save file dialogs. Callers
// set every property they rely on, show a dialog, then read Filename and
// CancelError. Properties keep their values between uses.
class clsCdlg {
public:
    explicit clsCdlg(Dialogs& dialogs) : dialogs_(dialogs) {}

    qint32 MaxFileSize() const { return maxFileSize_; }
    void setMaxFileSize(qint32 size) { maxFileSize_ = size; }
    QString InitDir() const { return initDir_; }
    void setInitDir(const QString& dir) { initDir_ = dir; }
    // "UTX Files|*.utx|All Files|*.*": description and pattern pairs.
    QString Filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    QString FileNameShort() const { return fileNameShort_; }
    void setFileNameShort(const QString& name) { fileNameShort_ = name; }
    QString Filename() const { return fileName_; }
    void setFilename(const QString& name) { fileName_ = name; }
    bool CancelError() const { return cancelError_; }
    void setCancelError(bool cancelled) { cancelError_ = cancelled; }

    void ShowOpen();
    void ShowSave();
    // The bytes of the file chosen by the last successful ShowOpen, followed
    // by one zero byte.
    void GetArray(QByteArray& temparray) const { temparray = fileBytes_; }

private:
    void show(bool save);

    Dialogs& dialogs_;
    qint32 maxFileSize_ = 0;
    QString initDir_;
    QString filter_;
    QString fileNameShort_;
    QString fileName_;
    bool cancelError_ = false;
    QByteArray fileBytes_;
};

// "A|*.a|B|*.*" in Qt's form "A (*.a);;B (*)".
QString QtFileFilter(const QString& filter);
