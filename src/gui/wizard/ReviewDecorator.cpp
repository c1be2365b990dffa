#include "wizard/ReviewDecorator.h"

#include <QListWidget>
#include <QPixmap>

ReviewDecorator::ReviewDecorator(QListWidget& list, TopMipDecoder decode, QObject* parent)
    : QObject(parent), list_(list), loader_(nullptr, std::move(decode)) {
    QPixmap blank(PictureSize, PictureSize);
    blank.fill(Qt::transparent);
    blank_ = QIcon(blank);
    list_.setIconSize(QSize(PictureSize, PictureSize));
    connect(&loader_, &ThumbnailLoader::ready, this, &ReviewDecorator::place);
    connect(&loader_, &ThumbnailLoader::finished, this, &ReviewDecorator::finished);
}

void ReviewDecorator::decorate(const TextureCensus& census) {
    const QColor grey = list_.palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < list_.count(); ++row) {
        QListWidgetItem* item = list_.item(row);
        const QString marked = NotATexture(census, item->text());
        item->setIcon(pictures_.value(item->text().toLower(), blank_));
        if (marked.isEmpty())
            continue;
        QFont italic = item->font();
        italic.setItalic(true);
        item->setFont(italic);
        item->setForeground(grey);
        item->setToolTip(marked);
    }
}

void ReviewDecorator::start(const std::optional<UnrealPackage>& package,
                            const TextureCensus& census, const QStringList& names) {
    loader_.cancel();
    if (!package)
        return;
    QList<ThumbnailRequest> requests;
    for (const QString& name : names) {
        const int index = census.textureExport(name);
        if (index >= 0 && !pictures_.contains(name.toLower()))
            requests.append({name.toLower(), index, QSize(PictureSize, PictureSize)});
    }
    loader_.start(*package, requests);
}

void ReviewDecorator::cancel() {
    loader_.cancel();
}

void ReviewDecorator::forget() {
    loader_.cancel();
    pictures_.clear();
}

void ReviewDecorator::place(const QHash<QString, Thumbnail>& pictures) {
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
        if (!it->image.isNull())
            pictures_.insert(it.key(), QIcon(QPixmap::fromImage(it->image)));
    for (int row = 0; row < list_.count(); ++row) {
        QListWidgetItem* item = list_.item(row);
        const auto picture = pictures_.constFind(item->text().toLower());
        if (picture != pictures_.cend() && pictures.contains(item->text().toLower()))
            item->setIcon(*picture);
    }
}
