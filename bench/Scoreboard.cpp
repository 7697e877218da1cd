#include "Scoreboard.h"

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

Target Target::below(double limit, const QString &unit)
{
    return {limit, false, QStringLiteral("< %1 %2").arg(limit).arg(unit)};
}

Target Target::atMost(double limit, const QString &description)
{
    return {limit, true, description};
}

void Scoreboard::report(const QString &name, double value, const QString &unit, const std::optional<Target> &target)
{
    m_figures.insert(name, value);
    QString verdict;
    if (target) {
        ++m_targets;
        const bool met = target->isMetBy(value);
        m_met += met ? 1 : 0;
        verdict = met ? QStringLiteral("ok") : QStringLiteral("MISSED");
    }
    const QString line = name.leftJustified(52) + QStringLiteral("%1 %2").arg(value, 9, 'f', 2).arg(unit, -3)
        + QStringLiteral("   ") + (target ? target->description : QStringLiteral("(no target)")).leftJustified(34)
        + verdict;
    std::printf("%s\n", qPrintable(line.trimmed()));
    std::fflush(stdout);
}

void check(bool condition, const char *what)
{
    if (!condition)
        throw std::runtime_error(std::string("the benchmark's own check failed: ") + what);
}

std::optional<double> Scoreboard::figure(const QString &name) const
{
    const auto found = m_figures.constFind(name);
    if (found == m_figures.cend())
        return std::nullopt;
    return *found;
}

void Scoreboard::note(const QString &text)
{
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

void Scoreboard::printSummary() const
{
    std::printf("bench: %d of %d targets met\n", m_met, m_targets);
    std::fflush(stdout);
}

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianMilliseconds(int repetitions, const std::function<void()> &work, const std::function<void()> &setUp)
{
    QList<double> figures;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        setUp();
        figures.append(millisecondsOf(work));
    }
    return median(figures);
}

double median(QList<double> figures)
{
    if (figures.isEmpty())
        throw std::logic_error("median of no figures");
    std::sort(figures.begin(), figures.end());
    const qsizetype middle = figures.size() / 2;
    return figures.size() % 2 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}
