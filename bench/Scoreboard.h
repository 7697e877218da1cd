#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

/// A limit a figure must stay under (or at), with the words that describe it.
struct Target
{
    double limit = 0;
    bool inclusive = false; ///< the figure may equal the limit
    QString description;

    static Target below(double limit, const QString &unit);
    static Target atMost(double limit, const QString &description);
    bool isMetBy(double value) const { return inclusive ? value <= limit : value < limit; }
};

/// Prints one line per figure (name, value, target, verdict) and counts the targets met.
class Scoreboard
{
public:
    void report(const QString &name, double value, const QString &unit, const std::optional<Target> &target = {});
    void note(const QString &text);
    /// A figure reported earlier in the run, to measure another against it.
    std::optional<double> figure(const QString &name) const;
    /// Prints the closing "bench: N of M targets met" line.
    void printSummary() const;
    bool allTargetsMet() const { return m_met == m_targets; }

private:
    QHash<QString, double> m_figures;
    int m_targets = 0;
    int m_met = 0;
};

/// Stops the benchmark when one of its own checks fails: a figure taken on the wrong state
/// would mean nothing.
void check(bool condition, const char *what);

/// How long one call takes, in milliseconds.
double millisecondsOf(const std::function<void()> &work);
/// The median of a measurement repeated a number of times, in milliseconds; setUp runs
/// before each repetition, outside the measurement.
double medianMilliseconds(int repetitions, const std::function<void()> &work,
    const std::function<void()> &setUp = [] {});
/// The median of a list of figures (which must not be empty).
double median(QList<double> figures);
