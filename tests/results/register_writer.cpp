// A second finishing program for the tests, in a process of its own:
//   register_writer append <folder> <writer> <count>  appends count register lines
//     of writer, rebuilding the statistics after each, as the finishing does;
//   register_writer hold <file> <ms>  holds the register's write lock for ms
//     milliseconds, after printing "locked".
#include "tests/results/writer_lines.h"
#include "tests/support/unattended_services.h"

#include "results/file_retry.h"
#include "results/result_files.h"

#include "runtime/seqfile.h"

#include <QString>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc == 5 && QString::fromLocal8Bit(argv[1]) == QLatin1String("append")) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        const int writer = QString::fromLocal8Bit(argv[3]).toInt();
        const int count = QString::fromLocal8Bit(argv[4]).toInt();
        UnattendedServices services;
        FileRetry retry{services};
        for (int line = 1; line <= count; ++line) {
            const PupilRecord pupil = writerPupil(folder, writer, line);
            const QString registerPath = inTestFolder(pupil, registerFileName(pupil));
            if (appendRegisterLine(retry, registerPath, registerLine(pupil, writerScore(writer, line), kWriterTime)))
                rebuildStatistics(retry, registerPath, inTestFolder(pupil, statisticsFileName(pupil)));
        }
        return services.complained ? 1 : 0;
    }
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == QLatin1String("hold")) {
        try {
            OutputFile held(QString::fromLocal8Bit(argv[2]), WriteMode::Append, true);
            std::printf("locked\n");
            std::fflush(stdout);
            QThread::msleep(QString::fromLocal8Bit(argv[3]).toULong());
            held.close();
        } catch (const RunError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: register_writer append <folder> <writer> <count> | hold <file> <ms>\n");
    return 2;
}
