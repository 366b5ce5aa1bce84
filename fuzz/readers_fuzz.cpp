// Arbitrary bytes as a test file, a points file and an answer key; a test file
// that reads is then drawn, exchanged and shuffled as the test start would.
#include "quiz/draw.h"
#include "quiz/quiz_files.h"
#include "quiz/quiz_run.h"
#include "report/result_reading.h"
#include "results/class_list.h"
#include "results/result_files.h"
#include "tests/support/unattended_services.h"

#include <QBuffer>
#include <QHash>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

// Random values from a generator seeded by the input, so that a finding replays.
class FuzzServices : public UnattendedServices {
public:
    explicit FuzzServices(std::size_t seed) : generator_(std::uint32_t(seed)) {}
    void randomize() override {}
    double rnd() override { return std::generate_canonical<double, 53>(generator_); }

private:
    std::mt19937 generator_;
};

// The bytes read as an authored file is: in the encoding they look saved in.
struct Reading {
    explicit Reading(const QByteArray& bytes, const QString& name) : reader(buffer, name, detectEncoding(bytes))
    {
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
    }
    QBuffer buffer;
    SeqReader reader;
};

using Options = std::vector<std::pair<QString, int>>;

Options optionsAt(const QuestionBank& bank, const Attempt& state, int p)
{
    Options options;
    for (int j = 1; j <= kMaxOptions; ++j)
        options.emplace_back(bank(p).optionText(j), state.correctFlags(j, p));
    std::sort(options.begin(), options.end());
    return options;
}

void drawAndCheck(const QByteArray& bytes, QuizRun& quiz)
{
    const QuizHeader& header = quiz.header;
    Attempt& state = quiz.attempt;
    FuzzServices services(qHash(bytes));
    drawQuestions(services, header, state);
    std::vector<bool> drawn(std::size_t(header.questionCount) + 1, false);
    for (int p = 1; p <= header.askCount; ++p) {
        const int d = state.drawNumbers(p);
        if (d < 1 || d > header.questionCount || drawn[std::size_t(d)])
            __builtin_trap();
        drawn[std::size_t(d)] = true;
    }
    exchangeDrawnQuestions(header, quiz.questionBank, state);
    std::vector<Options> before;
    for (int p = 1; p <= header.askCount; ++p)
        before.push_back(optionsAt(quiz.questionBank, state, p));
    shuffleOptions(services, header, quiz.questionBank, state);
    for (int p = 1; p <= header.askCount; ++p) {
        if (optionsAt(quiz.questionBank, state, p) != before[std::size_t(p - 1)])
            __builtin_trap(); // an option text parted from its flag
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto quiz = std::make_unique<QuizRun>();
    QuestionBank& bank = quiz->questionBank;

    bool bodiesRead = false;
    try {
        Reading test(bytes, QStringLiteral("fuzz.tst"));
        readQuizHeader(test.reader, quiz->pupil, quiz->header);
        readQuestionBodies(test.reader, quiz->header.questionCount, bank);
        bodiesRead = true;
    } catch (const RunError&) {
    }
    if (!bodiesRead) {
        // The other readers still get a full bank of all answer forms to read against.
        quiz->header.questionCount = kMaxQuestions;
        for (int k = 1; k <= kMaxQuestions; ++k)
            bank(k).answerForm = QChar(u'1' + k % 3);
    }
    const int questionCount = quiz->header.questionCount;

    Reading points(bytes, QStringLiteral("fuzz.tsb"));
    readPoints(points.reader, questionCount, bank);

    try {
        Reading key(bytes, QStringLiteral("fuzz.ts1"));
        readAnswerKey(key.reader, questionCount, bank, quiz->attempt);
    } catch (const RunError&) {
    }

    if (bodiesRead)
        drawAndCheck(bytes, *quiz);

    // The class list, as the registration reads it.
    try {
        Reading classes(bytes, kClassListName);
        readClassList(classes.reader);
    } catch (const RunError&) {
    }
    // A register, as the statistics read it: every counted line is one of the four marks.
    QBuffer registerBuffer;
    registerBuffer.setData(bytes);
    registerBuffer.open(QIODevice::ReadOnly);
    SeqReader registerReader(registerBuffer, QStringLiteral("register.doc"));
    try {
        const MarkCounts counts = countMarks(registerReader);
        if (statisticsLines(counts).size() != (counts.total() > 0 ? 6 : 0))
            __builtin_trap();
    } catch (const RunError&) {
    }
    // The same bytes as the teacher's report reads a register and a protocol: its marks are the statistics'.
    for (const bool protocol : {false, true}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        SeqReader reader(buffer, protocol ? QStringLiteral("5А     _Тема_Ученик_1.otv") : QStringLiteral("5А_Тема_1.doc"));
        try {
            if (protocol) {
                readProtocol(reader, reader.fileName());
                continue;
            }
            const RegisterReading read = readRegister(reader, reader.fileName());
            if (read.found && read.found->marks.total() < std::int64_t(read.found->entries.size()))
                __builtin_trap();
        } catch (const RunError&) {
        }
    }
    return 0;
}
