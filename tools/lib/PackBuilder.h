#pragma once
// One pack file made of items that several generator steps add by name. Each item
// names the step that added it, so that a name added twice (letter case ignored, as
// the program looks items up) fails with both steps named instead of one item silently
// replacing the other.
//
//   tools::PackBuilder pack(QStringLiteral("Data/kjfile/pic.dat"));
//   pack.add(QStringLiteral("mathpictures"), QStringLiteral("Number0"), QStringLiteral("JPG"),
//   jpg); const QByteArray file = pack.build();
//
// Generator steps do not use this directly: they declare their items with
// gendata::AddToPack (tools/gendata/Packs.h), and the generator builds each pack once.

#include "tools/lib/PackWriter.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tools {

class PackBuilder {
public:
    explicit PackBuilder(QString path) : path_(std::move(path)) {}

    // Throws std::runtime_error for a name already added, or an empty name or type.
    void add(const QString& from, const QString& name, const QString& type,
             const QByteArray& bytes);
    int count() const { return writer_.count(); }
    // The pack file; throws std::runtime_error when the items do not fit in one pack.
    QByteArray build() const;

private:
    QString path_;
    PackWriter writer_;
    QHash<QString, QString> addedBy_; // folded name -> the step that added it
};

} // namespace tools
