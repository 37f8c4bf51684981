#pragma once
// The example house converted into FOLDER/SHAPES/house.s, its textures beside: the 3D view's tests draw it.

#include "Converter.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace quillfen::test {

class ExampleModel {
public:
    ExampleModel() {
        const std::string house = joinPath(joinPath(QUILLFEN_SOURCE_DIR, "examples"), "house");
        const auto conversion = conv3ds::convertFiles(
            "house.s", {joinPath(house, "house_100.3ds"), joinPath(house, "house_500.3ds")});
        m_ok = conversion.ok && QDir(m_folder.path()).mkdir(QStringLiteral("SHAPES"));
        std::ofstream(shapePath(), std::ios::binary) << conversion.bytes;
        for (const char* texture : {"roof.ace", "wall.ace", "window.dds"})
            m_ok = m_ok && QFile::copy(QString::fromStdString(joinPath(house, texture)), path(texture));
    }

    [[nodiscard]] bool ok() const { return m_ok && m_folder.isValid(); }
    [[nodiscard]] std::string shapePath() const { return path("SHAPES/house.s").toStdString(); }
    [[nodiscard]] QString path(const char* name) const { return m_folder.filePath(QString::fromUtf8(name)); }

private:
    QTemporaryDir m_folder;
    bool m_ok = false;
};

} // namespace quillfen::test
