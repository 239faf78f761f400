#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace velmora {

// An error raised to the caller, carrying a number, a source and a description
// (the numbering follows the classic Basic run-time errors the texts were written for).
class ProgramError : public std::exception {
public:
    ProgramError(std::int32_t number, QString source, QString description)
        : number_(number), source_(std::move(source)), description_(std::move(description)),
          what_(description_.toUtf8()) {}

    std::int32_t Number() const { return number_; }
    const QString& Source() const { return source_; }
    const QString& Description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

    static constexpr std::int32_t Overflow = 6;
    static constexpr std::int32_t SubscriptOutOfRange = 9;

    static ProgramError overflow(const QString& source) {
        return {Overflow, source, QStringLiteral("Overflow")};
    }
    static ProgramError subscriptOutOfRange(const QString& source) {
        return {SubscriptOutOfRange, source, QStringLiteral("Subscript out of range")};
    }

private:
    std::int32_t number_;
    QString source_;
    QString description_;
    QByteArray what_;
};

} // namespace velmora
