#include "report/analysis.h"

#include "runtime/conversions.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

// The sums a Pearson correlation needs, gathered one pupil at a time.
struct Correlation {
    int n = 0;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;

    void add(double x, double y)
    {
        ++n;
        sx += x;
        sy += y;
        sxx += x * x;
        syy += y * y;
        sxy += x * y;
    }

    std::optional<double> value() const
    {
        if (n < kFewestForDiscrimination)
            return std::nullopt;
        const double varX = n * sxx - sx * sx;
        const double varY = n * syy - sy * sy;
        // Rounding leaves a trace of spread where there is none.
        if (varX <= 1e-9 * n * n || varY <= 1e-9 * n * n)
            return std::nullopt;
        return std::clamp((n * sxy - sx * sy) / std::sqrt(varX * varY), -1.0, 1.0);
    }
};

QString nodeKey(const QString& classPart, const QString& topic, const QString& variant)
{
    return classPart + u'\x1F' + topic + u'\x1F' + variant;
}

// A protocol keeps seven characters of the class; the register up to ten.
bool sameClass(const QString& registerClass, const QString& protocolClass)
{
    const QString shortened = trimBlanks(protocolClass);
    return registerClass == shortened
           || (protocolClass.size() == 7 && !protocolClass.endsWith(u' ') && registerClass.startsWith(shortened));
}

// The register line is written just after the protocol, within minutes even when the file was busy.
constexpr qint64 kRegisterAfterProtocolSeconds = 600;

bool holdsPupil(const Register& reg, const Protocol& protocol, bool atItsFinish)
{
    const QString name = trimBlanks(protocol.pupil.left(25));
    return std::any_of(reg.entries.begin(), reg.entries.end(), [&](const RegisterEntry& entry) {
        if (entry.pupil != name)
            return false;
        if (!atItsFinish)
            return true;
        const qint64 after = protocol.finished.secsTo(entry.finished);
        return protocol.finished.isValid() && after >= 0 && after <= kRegisterAfterProtocolSeconds;
    });
}

int leadingNumber(const QString& text, qsizetype& digits)
{
    digits = 0;
    while (digits < text.size() && text[digits].isDigit() && digits < 9)
        ++digits;
    return digits > 0 ? text.left(digits).toInt() : -1;
}

void sortPupils(std::vector<PupilRow>& pupils)
{
    std::stable_sort(pupils.begin(), pupils.end(), [](const PupilRow& a, const PupilRow& b) {
        const int byName = a.entry.pupil.compare(b.entry.pupil, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.entry.finished < b.entry.finished;
    });
    for (std::size_t first = 0; first < pupils.size();) {
        std::size_t end = first + 1;
        while (end < pupils.size()
               && pupils[end].entry.pupil.compare(pupils[first].entry.pupil, Qt::CaseInsensitive) == 0)
            ++end;
        for (std::size_t k = first; k < end; ++k) {
            pupils[k].attempt = int(k - first) + 1;
            pupils[k].attempts = int(end - first);
        }
        first = end;
    }
}

void countPercentages(ReportNode& node)
{
    node.percentBins.fill(0);
    for (const PupilRow& row : node.pupils)
        ++node.percentBins[std::size_t(std::clamp(int(std::floor(row.entry.percent / 10)), 0, 9))];
}

void analyseQuestions(ReportNode& node, const std::vector<const Protocol*>& protocols)
{
    node.protocols = int(protocols.size());
    QHash<QString, int> itemOf;
    std::vector<QuestionStats> stats;
    std::vector<Correlation> correlations;
    struct Answered {
        int item;
        bool right;
        int lines;
    };
    std::vector<std::pair<int, bool>> lines;
    std::vector<Answered> answered;
    for (const Protocol* protocol : protocols) {
        lines.clear();
        for (const ProtocolAnswer& answer : protocol->answers) {
            auto found = itemOf.constFind(answer.question);
            if (found == itemOf.cend()) {
                found = itemOf.insert(answer.question, int(stats.size()));
                stats.push_back({});
                stats.back().text = answer.question;
                correlations.push_back({});
            }
            lines.emplace_back(*found, answer.right);
        }
        // Questions sharing a text are one: right only when every one of them was.
        std::sort(lines.begin(), lines.end());
        answered.clear();
        for (const auto& [item, right] : lines) {
            if (!answered.empty() && answered.back().item == item) {
                answered.back().right = answered.back().right && right;
                ++answered.back().lines;
            } else {
                answered.push_back({item, right, 1});
            }
        }
        const int rightInAll = int(std::count_if(answered.begin(), answered.end(), [](const Answered& a) { return a.right; }));
        const int others = int(answered.size()) - 1;
        for (const Answered& a : answered) {
            QuestionStats& question = stats[std::size_t(a.item)];
            ++question.asked;
            question.right += a.right ? 1 : 0;
            question.sameText = std::max(question.sameText, a.lines);
            if (others > 0)
                correlations[std::size_t(a.item)].add(a.right ? 1 : 0, double(rightInAll - (a.right ? 1 : 0)) / others);
        }
    }
    for (std::size_t k = 0; k < stats.size(); ++k) {
        QuestionStats& question = stats[k];
        question.facility = 100.0 * question.right / question.asked;
        question.discrimination = correlations[k].value();
        if (question.facility < kTooHardBelow)
            question.flags.push_back(QuestionFlag::TooHard);
        if (question.facility > kTooEasyAbove)
            question.flags.push_back(QuestionFlag::TooEasy);
        if (question.discrimination && *question.discrimination < kPoorDiscriminationBelow)
            question.flags.push_back(QuestionFlag::PoorlyDiscriminating);
    }
    std::sort(stats.begin(), stats.end(), [](const QuestionStats& a, const QuestionStats& b) {
        if (a.discrimination.has_value() != b.discrimination.has_value())
            return a.discrimination.has_value();
        if (a.discrimination && *a.discrimination != *b.discrimination)
            return *a.discrimination < *b.discrimination;
        if (a.facility != b.facility)
            return a.facility < b.facility;
        return a.text < b.text;
    });
    node.questions = std::move(stats);
}

} // namespace

QString questionFlagText(QuestionFlag flag)
{
    switch (flag) {
    case QuestionFlag::TooHard: return QStringLiteral("слишком трудный");
    case QuestionFlag::TooEasy: return QStringLiteral("слишком лёгкий");
    case QuestionFlag::PoorlyDiscriminating: return QStringLiteral("плохо различает");
    }
    return {};
}

bool classBefore(const QString& a, const QString& b)
{
    qsizetype digitsA = 0, digitsB = 0;
    const int numberA = leadingNumber(a, digitsA);
    const int numberB = leadingNumber(b, digitsB);
    if (numberA != numberB)
        return numberA < numberB;
    const int rest = QStringView(a).mid(digitsA).compare(QStringView(b).mid(digitsB), Qt::CaseInsensitive);
    return rest != 0 ? rest < 0 : a < b;
}

Report makeReport(ResultFiles files)
{
    Report report;
    report.folders = files.folders;
    report.problems = std::move(files.problems);
    report.registers = int(files.registers.size());
    report.protocols = int(files.protocols.size());
    report.statistics = files.statistics;

    std::vector<ReportNode> nodes;
    QHash<QString, int> nodeOf;
    const auto nodeFor = [&](const QString& classPart, const QString& topic, const QString& variant) {
        const QString key = nodeKey(classPart, topic, variant);
        auto found = nodeOf.constFind(key);
        if (found == nodeOf.cend()) {
            found = nodeOf.insert(key, int(nodes.size()));
            nodes.push_back({});
            nodes.back().classPart = classPart;
            nodes.back().topic = topic;
            nodes.back().variant = variant;
        }
        return *found;
    };

    QHash<QString, std::vector<const Register*>> registersIn;
    for (const Register& reg : files.registers) {
        ReportNode& node = nodes[std::size_t(nodeFor(reg.classPart, reg.topic, reg.variant))];
        for (const RegisterEntry& entry : reg.entries)
            node.pupils.push_back({entry, reg.topic, reg.variant});
        node.marks.count5 += reg.marks.count5;
        node.marks.count4 += reg.marks.count4;
        node.marks.count3 += reg.marks.count3;
        node.marks.count2 += reg.marks.count2;
        registersIn[QFileInfo(reg.path).path()].push_back(&reg);
    }

    std::vector<std::vector<const Protocol*>> protocolsOf;
    for (const Protocol& protocol : files.protocols) {
        std::vector<const Register*> exact, starting;
        for (const Register* reg : registersIn.value(QFileInfo(protocol.path).path())) {
            if (reg->variant != protocol.variant || !sameClass(reg->classPart, protocol.classPart)
                || !reg->topic.startsWith(protocol.topic))
                continue;
            (reg->topic == protocol.topic ? exact : starting).push_back(reg);
        }
        std::vector<const Register*> candidates = exact.empty() ? starting : exact;
        // Several topics start so: the register with the pupil's line, or with the line written at the protocol's finish.
        for (const bool atItsFinish : {false, true}) {
            if (candidates.size() <= 1)
                break;
            std::vector<const Register*> withPupil;
            std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(withPupil),
                         [&](const Register* reg) { return holdsPupil(*reg, protocol, atItsFinish); });
            if (!withPupil.empty())
                candidates = withPupil;
        }
        int node = 0;
        if (candidates.size() == 1) {
            node = nodeFor(candidates.front()->classPart, candidates.front()->topic, candidates.front()->variant);
        } else if (candidates.empty()) {
            node = nodeFor(trimBlanks(protocol.classPart), protocol.topic, protocol.variant);
        } else {
            QStringList topics;
            for (const Register* reg : candidates)
                topics << QStringLiteral("«%1»").arg(reg->topic);
            const QString own = protocol.topic + QStringLiteral("…");
            report.problems.push_back(
                {protocol.path, 0,
                 QStringLiteral("в имени протокола только начало темы, «%1», и так начинаются темы нескольких "
                                "журналов этого класса и варианта (%2); ни ученик, ни время окончания не говорят, "
                                "к какому он относится, и протокол учтён отдельно, под темой «%3»")
                     .arg(protocol.topic, topics.join(QStringLiteral(", ")), own)});
            node = nodeFor(trimBlanks(protocol.classPart), own, protocol.variant);
        }
        if (protocolsOf.size() <= std::size_t(node))
            protocolsOf.resize(std::size_t(node) + 1);
        protocolsOf[std::size_t(node)].push_back(&protocol);
    }
    protocolsOf.resize(nodes.size());

    for (std::size_t k = 0; k < nodes.size(); ++k) {
        sortPupils(nodes[k].pupils);
        countPercentages(nodes[k]);
        analyseQuestions(nodes[k], protocolsOf[k]);
    }
    std::sort(nodes.begin(), nodes.end(), [](const ReportNode& a, const ReportNode& b) {
        if (a.classPart != b.classPart)
            return classBefore(a.classPart, b.classPart);
        const int byTopic = a.topic.compare(b.topic, Qt::CaseInsensitive);
        if (byTopic != 0)
            return byTopic < 0;
        return a.topic != b.topic ? a.topic < b.topic : a.variant < b.variant;
    });
    report.nodes = std::move(nodes);
    return report;
}

ReportNode mergedNode(const std::vector<const ReportNode*>& nodes)
{
    ReportNode merged;
    for (const ReportNode* node : nodes) {
        merged.pupils.insert(merged.pupils.end(), node->pupils.begin(), node->pupils.end());
        merged.marks.count5 += node->marks.count5;
        merged.marks.count4 += node->marks.count4;
        merged.marks.count3 += node->marks.count3;
        merged.marks.count2 += node->marks.count2;
        for (std::size_t k = 0; k < merged.percentBins.size(); ++k)
            merged.percentBins[k] += node->percentBins[k];
        merged.protocols += node->protocols;
    }
    if (!nodes.empty()) {
        merged.classPart = nodes.front()->classPart;
        merged.topic = nodes.front()->topic;
    }
    return merged;
}
