#pragma once
// A multi-line text the user can select and copy but not edit; lines wrap at the box's width and
// no scroll bar is shown. A line wider than the box is drawn condensed, so none ever wraps.

#include <QPlainTextEdit>

class TReadOnlyText : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(bool fixedPitch READ FixedPitch WRITE setFixedPitch)
public:
    explicit TReadOnlyText(QWidget* Parent = nullptr);

    // Read by the font set-up of the window, which picks a fixed-pitch face for it.
    bool FixedPitch() const { return Fixed; }
    void setFixedPitch(bool On) { Fixed = On; }

    template <typename Lines> void SetLines(const Lines& Texts) {
        QString All;
        for (const auto& Line : Texts) {
            if (!All.isEmpty()) All += u'\n';
            All += QStringView(Line.data(), static_cast<qsizetype>(Line.size()));
        }
        setPlainText(All);
        CondenseWideLines();
    }

private:
    void CondenseWideLines();

    bool Fixed = false;
};
