#pragma once

#include <QtCore/QString>

#include <optional>
#include <string>
#include <unordered_map>

class QWidget;

// What the editor showed of one file: for each control, what it showed and the engine's own text
// behind it. The editor shows a lossy view (texts cut to a length, line ends changed, genre references
// replaced by names, a track padded), so a save must not store that view back: for every control that
// still shows what was recorded for the same file, it hands the engine its own text, and the engine
// then keeps that frame or field exactly as read.
class ShownFields {
public:
    // The controls now show the given file; whatever was recorded for another one is forgotten.
    void Begin(const std::string& path);
    void Record(const QWidget& control, const QString& shown, std::string engineText);
    void Forget(const QWidget& control);
    // The file shown was renamed: what was recorded stays with it under its new name.
    void Renamed(const std::string& from, const std::string& to);
    // The engine's text, when the control still shows exactly what was recorded for this file.
    std::optional<std::string> Untouched(const QWidget& control, const QString& current,
                                         const std::string& path) const;

private:
    struct Shown {
        QString Text;
        std::string EngineText;
    };

    std::string Path;
    std::unordered_map<const QWidget*, Shown> Controls;
};
