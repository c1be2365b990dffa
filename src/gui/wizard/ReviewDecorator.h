#pragma once

#include "engine/TextureCensus.h"
#include "widgets/ThumbnailLoader.h"

#include <QHash>
#include <QIcon>
#include <QObject>
#include <optional>

class QListWidget;
class QListWidgetItem;

// Step four's pictures and marks: each entry of the list under review shows
// its texture's top mip as soon as it is decoded, and entries the package
// says are no textures are grey and italic, with a tooltip saying what they
// are. Pictures are kept until another package is opened, so that a list
// filled again shows them at once.
class ReviewDecorator : public QObject {
    Q_OBJECT

public:
    static constexpr int PictureSize = 24;

    ReviewDecorator(QListWidget& list, TopMipDecoder decode, QObject* parent = nullptr);

    // Marks and pictures for every row of the list as it stands.
    void decorate(const TextureCensus& census);
    // Decodes the textures among `names` not pictured yet; work under way is
    // dropped.
    void start(const std::optional<UnrealPackage>& package, const TextureCensus& census,
               const QStringList& names);
    void cancel();
    // Drops work under way and every picture: another package was opened.
    void forget();
    // Pictures asked for and not placed yet.
    int outstanding() const { return loader_.outstanding(); }

signals:
    // Every picture asked for has been placed.
    void finished();

private:
    void place(const QHash<QString, Thumbnail>& pictures);
    void indexRows();
    QListWidgetItem* itemNamed(const QString& key, bool& indexed);

    QListWidget& list_;
    ThumbnailLoader loader_;
    QHash<QString, QIcon> pictures_; // lower-cased name -> its picture
    QHash<QString, int> rows_;       // lower-cased name -> its row, as last indexed
    QIcon blank_;                    // keeps names in line while pictures are missing
};
