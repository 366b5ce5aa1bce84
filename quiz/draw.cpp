#include "quiz/draw.h"

#include "runtime/run_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// A generator that strays out of [0, 1) must not carry a draw out of 1..m.
double inUnitRange(double r)
{
    if (!(r >= 0.0))
        return 0.0;
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
}

// The next number in 1..m that is not marked used, drawn again on a repeat.
template <typename Draw>
int drawUnused(const Draw& draw, int m, const std::vector<bool>& used)
{
    for (int attempt = 0; attempt <= kMaxRedraws; ++attempt) {
        const int number = draw();
        if (!used[std::size_t(number)])
            return number;
    }
    return int(std::find(used.begin() + 1, used.begin() + m + 1, false) - used.begin());
}

void requireDrawable(const QuizHeader& header)
{
    if (header.askCount < 1 || header.askCount > header.questionCount || header.questionCount > kMaxQuestions)
        throw runError(ErrorNumber::InvalidCall, QStringLiteral("нельзя задать %1 вопросов из %2")
                                                     .arg(header.askCount)
                                                     .arg(header.questionCount));
}

} // namespace

int drawQuestionNumber(double r, int m)
{
    // Two statements, so that no fused multiply-add changes where the halves fall.
    const float scaled = float(m - 1) * float(inUnitRange(r));
    const float x = scaled + 1.0f;
    return int(std::nearbyint(x));
}

int drawOptionNumber(double r, int m)
{
    const double scaled = double(m - 1) * inUnitRange(r);
    const double x = scaled + 1.0;
    return int(std::nearbyint(x));
}

void drawQuestions(Services& services, const QuizHeader& header, Attempt& state)
{
    requireDrawable(header);
    const int m = header.questionCount;
    services.randomize();
    std::vector<bool> used(std::size_t(m) + 1, false);
    const auto draw = [&] { return drawQuestionNumber(services.rnd(), m); };
    for (int p = 1; p <= header.askCount; ++p) {
        const int number = drawUnused(draw, m, used);
        state.drawNumbers(p) = number;
        used[std::size_t(number)] = true;
    }
}

void exchangeDrawnQuestions(const QuizHeader& header, QuestionBank& bank, Attempt& state)
{
    requireDrawable(header);
    for (int p = 1; p <= header.askCount; ++p) {
        const int d = state.drawNumbers(p);
        if (d < 1 || d > header.questionCount)
            throw runError(ErrorNumber::InvalidCall, QStringLiteral("выбран вопрос %1, а в тесте их %2")
                                                         .arg(d)
                                                         .arg(header.questionCount));
        if (d == p)
            continue;
        std::swap(bank(p), bank(d));
        for (int j = 1; j <= kMaxOptions; ++j)
            std::swap(state.correctFlags(j, p), state.correctFlags(j, d));
        std::swap(state.correctTyped(p), state.correctTyped(d));
    }
}

void shuffleOptions(Services& services, const QuizHeader& header, QuestionBank& bank, Attempt& state)
{
    requireDrawable(header);
    services.randomize();
    for (int p = 1; p <= header.askCount; ++p) {
        QuestionRecord& question = bank(p);
        const int form = digitValue(question.answerForm);
        if (form < 0)
            throw runError(ErrorNumber::TypeMismatch,
                           QStringLiteral("у задаваемого вопроса %1 форма ответа «%2», а должна быть цифра")
                               .arg(QString::number(p), QString(question.answerForm)));
        if (form != 1)
            continue;
        const int n = digitValue(question.optionCount);
        if (n < 0 || n > kMaxOptions)
            throw runError(n < 0 ? ErrorNumber::TypeMismatch : ErrorNumber::InvalidCall,
                           QStringLiteral("у задаваемого вопроса %1 число вариантов ответа «%2», а должно быть от 0 до 6")
                               .arg(QString::number(p), QString(question.optionCount)));

        // With no options the one draw is made all the same, so the draws that follow stay in step.
        std::vector<bool> used(kMaxOptions + 1, false);
        std::array<int, kMaxOptions + 1> optionOrder{};
        const auto draw = [&] { return drawOptionNumber(services.rnd(), n); };
        for (int j = 1; j <= std::max(n, 1); ++j) {
            optionOrder[std::size_t(j)] = drawUnused(draw, n, used);
            used[std::size_t(optionOrder[std::size_t(j)])] = true;
        }
        for (int j = 1; j <= n; ++j) {
            const int other = optionOrder[std::size_t(j)];
            std::swap(question.optionText(j), question.optionText(other));
            std::swap(state.correctFlags(j, p), state.correctFlags(other, p));
        }
    }
}
