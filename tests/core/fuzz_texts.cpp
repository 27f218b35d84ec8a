// Untrusted text through the core's text functions: descriptions from servers, quick-add lines,
// repeat rules and task lists from other devices. Besides not crashing, each call keeps its
// promise: sanitised HTML holds only allowed tags and links and is stable when cleaned again,
// a parsed event never ends before it starts, and the task tree lists every task once.
#include "DescriptionHtml.h"
#include "NLParser.h"
#include "RruleFormat.h"
#include "TaskTree.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool onlyAllowedMarkup(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral(
        "<(/?)(a|b|strong|i|em|u|s|p|br|div|span|ul|ol|li|blockquote|pre|code|h[1-6]|table|"
        "thead|tbody|tfoot|tr|td|th|hr|sub|sup)((?: href=\"(?i:https?://|mailto:)[^\"<>]*\"| "
        "(?:colspan|rowspan)=\"[0-9]{1,3}\")*)/?>"));
    qsizetype tags = 0;
    for (auto it = tag.globalMatch(html); it.hasNext(); it.next())
        ++tags;
    return tags == html.count(QLatin1Char('<'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    const QString clean = DescriptionHtml::sanitize(text);
    require(onlyAllowedMarkup(clean));
    require(DescriptionHtml::sanitize(clean) == clean);
    require(onlyAllowedMarkup(DescriptionHtml::displayHtml(text, QString(), QString())));
    DescriptionHtml::rewriteTeamsLinks(text, QString());
    DescriptionHtml::linkify(text, QString());

    const QDateTime now(QDate(2025, 3, 5), QTime(15, 10), QTimeZone("Europe/Berlin"));
    if (const auto parsed = NLParser::parse(text, now); parsed && parsed->end) {
        require(parsed->start.isValid() && parsed->end->isValid());
        require(*parsed->end >= parsed->start);
        require(parsed->end->date().year() <= 9999);
    }

    RruleFormat::describe(text);

    // One task per line: "uid<parent".
    QList<Task> tasks;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        Task task;
        task.id = QString::number(tasks.size());
        const qsizetype cut = line.indexOf(QLatin1Char('<'));
        task.uid = cut < 0 ? line : line.left(cut);
        task.parentTaskUid = cut < 0 ? QString() : line.mid(cut + 1);
        tasks.append(task);
    }
    require(TaskTree::flatten(tasks, nullptr).size() == tasks.size());
    TaskTree::completedKeptByActiveTree(tasks);
    return 0;
}
