#ifndef MASKASSIGNMENT_H
#define MASKASSIGNMENT_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What "Assign mask" puts into a record's six-point TX/RX mask, worked out
// from the selected tree item before any editor is touched.
struct MaskAssignment
{
    enum class Outcome {
        NotAMask, // neither a mask nor a mask point is selected
        Empty,    // the mask has no points
        Assign,
    };
    Outcome outcome = Outcome::NotAMask;
    // More than six points: only the six lowest frequencies are taken.
    bool truncated = false;
    // Six texts each, point 1 first; empty beyond the mask's points, so the
    // editor's older points are cleared.
    QStringList frequencies;
    QStringList attenuations;

    // The warning to show before (or instead of) assigning; empty for none.
    QString warning() const;
};

// points: (frequency, attenuation) texts of the mask's points, as shown.
MaskAssignment planMaskAssignment(bool isMask, const QList<QPair<QString, QString>>& points);

QString maskCopyErrorTitle();

#endif
