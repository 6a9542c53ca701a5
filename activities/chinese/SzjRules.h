#pragma once
// The Three Character Classic: 17 sections, each a movie "SZJ1".."SZJ17" of the pack
// "SZJ"; every opening starts with section 1.

#include <QString>

namespace chinese {

constexpr int kClassicSections = 17;

class ClassicSections {
public:
    int current() const { return current_; }
    // False (nothing changes) for a number that is no section.
    bool play(int section);
    QString movie() const { return QStringLiteral("SZJ") + QString::number(current_); }

private:
    int current_ = 1;
};

} // namespace chinese
