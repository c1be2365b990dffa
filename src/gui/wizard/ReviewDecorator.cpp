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
    indexRows();
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

// Pictures arrive a few at a time: each finds its row through the index
// rather than by a walk over the whole list.
void ReviewDecorator::place(const QHash<QString, Thumbnail>& pictures) {
    bool indexed = false;
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it) {
        if (it->image.isNull())
            continue;
        const QIcon picture(QPixmap::fromImage(it->image));
        pictures_.insert(it.key(), picture);
        if (QListWidgetItem* item = itemNamed(it.key(), indexed))
            item->setIcon(picture);
    }
}

void ReviewDecorator::indexRows() {
    rows_.clear();
    for (int row = 0; row < list_.count(); ++row)
        rows_.insert(list_.item(row)->text().toLower(), row);
}

// The entry showing `key`, or none. The index is checked against the list
// and built again, at most once per delivery, when the list has changed.
QListWidgetItem* ReviewDecorator::itemNamed(const QString& key, bool& indexed) {
    const auto matches = [&](QListWidgetItem* item) {
        return item && item->text().toLower() == key;
    };
    QListWidgetItem* item = list_.item(rows_.value(key, -1));
    if (matches(item) || indexed)
        return matches(item) ? item : nullptr;
    indexRows();
    indexed = true;
    item = list_.item(rows_.value(key, -1));
    return matches(item) ? item : nullptr;
}
