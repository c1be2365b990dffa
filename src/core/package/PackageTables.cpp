// The header, the name, import and export tables, and opening a package.

#include "package/ByteCursor.h"
#include "package/PackageData.h"
#include "services/Text1252.h"

#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr quint32 PackageTag = 0x9E2A83C1;
constexpr quint16 FirstGuidVersion = 68;
constexpr quint16 FirstLengthPrefixedNameVersion = 64;
constexpr qint64 TagBytes = 4;
constexpr qint64 GuidBytes = 16;
constexpr qint64 HeritageBytes = 16;
// The smallest entry each table can hold, so that a count the file cannot
// hold is refused before anything is allocated for it.
constexpr qint64 SmallestName = 5;    // a one-byte name or length, and the flags
constexpr qint64 SmallestImport = 7;  // three one-byte indexes and a 32-bit outer
constexpr qint64 SmallestExport = 12; // five one-byte indexes, a 32-bit outer and flags
constexpr qint64 SmallestGeneration = 8;
constexpr qint64 LongestName = 255; // bytes, terminator not counted

PackageError Error(const QString& text) {
    return {text};
}

// True when `count` entries of at least `entryBytes` each fit in the file from `offset`.
bool TableFits(qint64 count, qint64 offset, qint64 entryBytes, qint64 fileSize) {
    return count >= 0 && offset >= 0 && offset <= fileSize &&
           count <= (fileSize - offset) / entryBytes;
}

void ReadGenerations(ByteCursor& in, qint64 fileSize, PackageHeader& h) {
    const qint32 count = in.int32();
    if (!TableFits(count, in.position(), SmallestGeneration, fileSize)) {
        in.bytes(-1); // marks the cursor failed
        return;
    }
    for (qint32 i = 0; i < count; ++i) {
        const qint32 exportCount = in.int32();
        h.generations.append({exportCount, in.int32()});
    }
}

// The header; only the name table's place is checked here, so that a package
// whose later tables are damaged still yields its names.
PackageResult<PackageHeader> ReadHeader(QByteArrayView bytes) {
    ByteCursor in(bytes, 0, bytes.size());
    if (in.uint32() != PackageTag)
        return Error("not an Unreal package (no package tag)");
    PackageHeader h;
    h.version = in.uint16();
    h.licensee = in.uint16();
    h.flags = in.uint32();
    h.nameCount = in.int32();
    h.nameOffset = in.int32();
    h.exportCount = in.int32();
    h.exportOffset = in.int32();
    h.importCount = in.int32();
    h.importOffset = in.int32();
    if (h.version < FirstGuidVersion) {
        h.heritageCount = in.int32();
        h.heritageOffset = in.int32();
    } else {
        h.guid = in.bytes(GuidBytes).toByteArray();
        ReadGenerations(in, bytes.size(), h);
    }
    if (in.failed())
        return Error("the header is cut short or damaged");
    if (h.nameCount < 1 || !TableFits(h.nameCount, h.nameOffset, SmallestName, bytes.size()))
        return Error(
            QStringLiteral("the header's name table (%1 names at %2) does not fit in the file")
                .arg(h.nameCount)
                .arg(h.nameOffset));
    return h;
}

// Before version 64 a name ends at its terminator; from 64 it carries its
// length, terminator included, as a compact index.
QByteArrayView NameBytes(ByteCursor& in, quint16 version) {
    if (version < FirstLengthPrefixedNameVersion)
        return in.terminated(LongestName);
    const qint32 length = in.compact();
    if (length < 1 || length > LongestName + 1)
        return in.bytes(-1);
    // A name cut off by the end of the file comes back empty, with the cursor failed.
    const QByteArrayView name = in.bytes(length);
    return name.isEmpty() ? name : name.chopped(1);
}

PackageResult<QList<PackageName>> ReadNames(QByteArrayView bytes, const PackageHeader& h) {
    ByteCursor in(bytes, h.nameOffset, bytes.size());
    QList<PackageName> names;
    for (qint32 i = 0; i < h.nameCount; ++i) {
        const QByteArrayView text = NameBytes(in, h.version);
        const quint32 flags = in.uint32();
        if (in.failed() || text.isEmpty())
            return Error(
                QStringLiteral("name %1 of the name table is cut short or damaged").arg(i));
        names.append({FromWindows1252(text), flags});
    }
    return names;
}

PackageResult<PackageNameTable> ReadNameTable(QByteArrayView bytes) {
    PackageResult<PackageHeader> header = ReadHeader(bytes);
    if (!header)
        return Error(header.error());
    PackageResult<QList<PackageName>> names = ReadNames(bytes, *header);
    if (!names)
        return Error(names.error());
    return PackageNameTable{*header, *names};
}

// Reads the names and the object references of the two object tables.
class TableReader {
public:
    TableReader(QByteArrayView bytes, const PackageNameTable& table)
        : bytes_(bytes), names_(table.names), header_(table.header) {}

    bool nameOk(qint32 index) const { return index >= 0 && index < names_.size(); }
    QString name(qint32 index) const { return nameOk(index) ? names_[index].text : QString(); }
    bool referenceOk(qint32 ref) const {
        return ref >= -header_.importCount && ref <= header_.exportCount;
    }

    PackageResult<QList<PackageImport>> imports() const {
        if (!TableFits(header_.importCount, header_.importOffset, SmallestImport, bytes_.size()))
            return Error(QStringLiteral("the import table does not fit in the file"));
        ByteCursor in(bytes_, header_.importOffset, bytes_.size());
        QList<PackageImport> imports;
        for (qint32 i = 0; i < header_.importCount; ++i) {
            const qint32 classPackage = in.compact(), className = in.compact();
            const qint32 outer = in.int32(), name = in.compact();
            if (in.failed() || !nameOk(classPackage) || !nameOk(className) || !nameOk(name) ||
                !referenceOk(outer))
                return Error(QStringLiteral("import %1 is cut short or damaged").arg(i));
            imports.append(
                {this->name(classPackage), this->name(className), outer, this->name(name)});
        }
        return imports;
    }

    PackageResult<QList<PackageExport>> exports() const {
        if (!TableFits(header_.exportCount, header_.exportOffset, SmallestExport, bytes_.size()))
            return Error(QStringLiteral("the export table does not fit in the file"));
        ByteCursor in(bytes_, header_.exportOffset, bytes_.size());
        QList<PackageExport> exports;
        for (qint32 i = 0; i < header_.exportCount; ++i) {
            PackageExport e;
            e.classRef = in.compact();
            e.superRef = in.compact();
            e.outer = in.int32();
            const qint32 name = in.compact();
            e.flags = in.uint32();
            e.serialSize = in.compact();
            e.serialOffset = e.serialSize > 0 ? in.compact() : 0;
            e.name = this->name(name);
            if (in.failed() || !nameOk(name) || !referenceOk(e.classRef) ||
                !referenceOk(e.superRef) || !referenceOk(e.outer))
                return Error(QStringLiteral("export %1 is cut short or damaged").arg(i));
            if (e.serialSize < 0 || e.serialOffset < 0 ||
                qint64(e.serialOffset) + e.serialSize > bytes_.size())
                return Error(
                    QStringLiteral("export %1 (%2) lies outside the file").arg(i).arg(e.name));
            exports.append(e);
        }
        return exports;
    }

private:
    QByteArrayView bytes_;
    const QList<PackageName>& names_;
    const PackageHeader& header_;
};

// Walks outer references; every chain must end at 0 within as many steps as
// there are objects.
class ObjectTree {
public:
    ObjectTree(const QList<PackageImport>& imports, const QList<PackageExport>& exports)
        : imports_(imports), exports_(exports) {}

    // The names from the outermost object down to `ref`, or nothing for a loop.
    std::optional<QStringList> chain(qint32 ref) const {
        QStringList names;
        for (qsizetype steps = 0; ref != 0; ++steps) {
            if (steps > imports_.size() + exports_.size())
                return std::nullopt;
            names.prepend(ref > 0 ? exports_[ref - 1].name : imports_[-ref - 1].name);
            ref = ref > 0 ? exports_[ref - 1].outer : imports_[-ref - 1].outer;
        }
        return names;
    }

    // "Package.Class": an imported class by its outermost package, a class of
    // this package by the package's name, and a class itself as Core.Class.
    QString className(qint32 classRef, const QString& packageName) const {
        if (classRef == 0)
            return QStringLiteral("Core.Class");
        if (classRef > 0)
            return packageName + '.' + exports_[classRef - 1].name;
        const QStringList names = chain(classRef).value_or(QStringList());
        return names.size() > 1 ? names.front() + '.' + names.back() : names.value(0);
    }

private:
    const QList<PackageImport>& imports_;
    const QList<PackageExport>& exports_;
};

std::optional<PackageError> ResolveObjects(UnrealPackage::Data& d) {
    const ObjectTree tree(d.imports, d.exports);
    for (qsizetype i = 0; i < d.imports.size(); ++i)
        if (!tree.chain(-qint32(i) - 1))
            return Error(QStringLiteral("the outers of import %1 form a loop").arg(i));
    for (qsizetype i = 0; i < d.exports.size(); ++i) {
        PackageExport& e = d.exports[i];
        const std::optional<QStringList> path = tree.chain(qint32(i) + 1);
        if (!path)
            return Error(
                QStringLiteral("the outers of export %1 (%2) form a loop").arg(i).arg(e.name));
        e.path = path->join('.');
        e.className = tree.className(e.classRef, d.packageName);
    }
    return std::nullopt;
}

std::optional<PackageError> ReadTables(UnrealPackage::Data& d) {
    PackageResult<PackageNameTable> table = ReadNameTable(d.bytes);
    if (!table)
        return Error(table.error());
    d.table = *table;
    const PackageHeader& h = d.table.header;
    if (h.version < FirstGuidVersion &&
        !TableFits(h.heritageCount, h.heritageOffset, HeritageBytes, d.bytes.size()))
        return Error(QStringLiteral("the heritage table does not fit in the file"));
    const TableReader reader(d.bytes, d.table);
    PackageResult<QList<PackageImport>> imports = reader.imports();
    if (!imports)
        return Error(imports.error());
    PackageResult<QList<PackageExport>> exports = reader.exports();
    if (!exports)
        return Error(exports.error());
    d.imports = *imports;
    d.exports = *exports;
    return ResolveObjects(d);
}

// Maps the file once its first bytes show a package tag; a large file that is
// no package is never read.
std::optional<PackageError> MapPackageFile(const QString& path, UnrealPackage::Data& d) {
    const QFileInfo info(path);
    if (!info.isFile())
        return Error(QStringLiteral("%1 is not a file").arg(path));
    d.file.setFileName(path);
    if (!d.file.open(QIODevice::ReadOnly))
        return Error(QStringLiteral("could not read %1: %2").arg(path, d.file.errorString()));
    const QByteArray tag = d.file.read(TagBytes);
    if (tag.size() < TagBytes || qFromLittleEndian<quint32>(tag.data()) != PackageTag)
        return Error(QStringLiteral("%1 is not an Unreal package").arg(path));
    if (const uchar* mapped = d.file.map(0, d.file.size())) {
        d.bytes = QByteArrayView(mapped, d.file.size());
        return std::nullopt;
    }
    d.file.seek(0);
    d.owned = d.file.readAll();
    d.bytes = d.owned;
    if (d.owned.size() != d.file.size())
        return Error(QStringLiteral("could not read %1: %2").arg(path, d.file.errorString()));
    return std::nullopt;
}

} // namespace

PackageResult<PackageNameTable> ReadPackageNames(QByteArrayView bytes) {
    return ReadNameTable(bytes);
}

PackageResult<PackageNameTable> ReadPackageNames(const QString& path) {
    UnrealPackage::Data d;
    if (const std::optional<PackageError> error = MapPackageFile(path, d))
        return *error;
    return ReadNameTable(d.bytes);
}

PackageResult<UnrealPackage> UnrealPackage::open(const QString& path) {
    auto d = std::make_shared<Data>();
    d->packageName = QFileInfo(path).completeBaseName();
    if (const std::optional<PackageError> error = MapPackageFile(path, *d))
        return *error;
    if (const std::optional<PackageError> error = ReadTables(*d))
        return *error;
    return UnrealPackage(std::move(d));
}

PackageResult<UnrealPackage> UnrealPackage::fromBytes(QByteArray bytes,
                                                      const QString& packageName) {
    auto d = std::make_shared<Data>();
    d->packageName = packageName;
    d->owned = std::move(bytes);
    d->bytes = d->owned;
    if (const std::optional<PackageError> error = ReadTables(*d))
        return *error;
    return UnrealPackage(std::move(d));
}

const QString& UnrealPackage::packageName() const {
    return d_->packageName;
}
const PackageHeader& UnrealPackage::header() const {
    return d_->table.header;
}
const QList<PackageName>& UnrealPackage::names() const {
    return d_->table.names;
}
const QList<PackageImport>& UnrealPackage::imports() const {
    return d_->imports;
}
const QList<PackageExport>& UnrealPackage::exports() const {
    return d_->exports;
}
