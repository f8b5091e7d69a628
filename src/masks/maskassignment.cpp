#include "maskassignment.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

namespace {

constexpr int kMaskPoints = 6;

QString tr(const char* text)
{
    return QCoreApplication::translate("maskDialog", text);
}

double frequencyOf(const QPair<QString, QString>& point)
{
    return QLocale::c().toDouble(point.first.trimmed());
}

} // namespace

QString maskCopyErrorTitle()
{
    return tr("Copy error");
}

QString MaskAssignment::warning() const
{
    switch (outcome) {
    case Outcome::NotAMask:
        return tr("Appropriate mask has not been selected.\nPlease select appropriate bitrate of mask point!");
    case Outcome::Empty:
        return tr("Selected mask does not contain\nany data!");
    case Outcome::Assign:
        return truncated ? tr("Mask has more than 6 points.\nOnly first 6 points will be copied!")
                         : QString();
    }
    return {};
}

MaskAssignment planMaskAssignment(bool isMask, const QList<QPair<QString, QString>>& points)
{
    MaskAssignment plan;
    if (!isMask)
        return plan;
    if (points.isEmpty()) {
        plan.outcome = MaskAssignment::Outcome::Empty;
        return plan;
    }
    plan.outcome = MaskAssignment::Outcome::Assign;
    // A point whose frequency was edited may sit out of order until the tree
    // is rebuilt; the record always gets the lowest frequencies, in order.
    QList<QPair<QString, QString>> sorted = points;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return frequencyOf(a) < frequencyOf(b); });
    plan.truncated = sorted.size() > kMaskPoints;
    for (int i = 0; i < kMaskPoints; ++i) {
        plan.frequencies << (i < sorted.size() ? sorted[i].first : QString());
        plan.attenuations << (i < sorted.size() ? sorted[i].second : QString());
    }
    return plan;
}
