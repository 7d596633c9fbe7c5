#include "texture_windows/texture_use_text.h"

#include <QStringList>

QString TextureUseText(const pw::TextureUsage& usage, int index, const TextureUsePatterns& patterns) {
    if (index < 0 || static_cast<std::size_t>(index) >= usage.object_textures.size())
        return {};
    const pw::ObjectTextureUse& use = usage.object_textures[static_cast<std::size_t>(index)];
    if (!use.Used())
        return patterns.unused;
    QStringList parts;
    if (use.room_faces > 0)
        parts.append(patterns.room_faces.arg(use.room_faces));
    if (use.mesh_faces > 0)
        parts.append(patterns.mesh_faces.arg(use.mesh_faces));
    if (!use.animated_sets.empty()) {
        QStringList sets;
        for (std::uint32_t set : use.animated_sets)
            sets.append(QString::number(set));
        parts.append(patterns.animated_sets.arg(sets.join(QStringLiteral(", "))));
    }
    return parts.join(QStringLiteral(", "));
}
