#include "content.h"

#include <QStringList>

namespace {

const QStringList kNumerals = {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
                               QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六"),
                               QStringLiteral("七"), QStringLiteral("八"), QStringLiteral("九"),
                               QStringLiteral("十")};

QString numeral(int n) // 1-based, up to 99
{
    if (n <= 10)
        return kNumerals.at(n - 1);
    if (n < 20)
        return QStringLiteral("十") + kNumerals.at(n - 11);
    const QString tens = kNumerals.at(n / 10 - 1) + QStringLiteral("十");
    return n % 10 ? tens + kNumerals.at(n % 10 - 1) : tens;
}

struct Domain
{
    QStringList parts;
    QStringList chapters;
    QStringList sections;
    QString entity;
};

Domain domainOf(const QString &domain)
{
    if (domain == QStringLiteral("医药卫生"))
        return {{QStringLiteral("基础医学"), QStringLiteral("临床医学")},
                {QStringLiteral("基础理论"), QStringLiteral("诊断要点"), QStringLiteral("治疗原则"),
                 QStringLiteral("预防与保健"), QStringLiteral("卫生法规与伦理"),
                 QStringLiteral("常见急症处理")},
                {QStringLiteral("概述"), QStringLiteral("病因与发病机制"), QStringLiteral("临床表现"),
                 QStringLiteral("辅助检查"), QStringLiteral("诊断与鉴别诊断"), QStringLiteral("治疗")},
                QStringLiteral("患者")};
    if (domain == QStringLiteral("建筑工程"))
        return {{QStringLiteral("工程基础"), QStringLiteral("工程实务")},
                {QStringLiteral("工程技术"), QStringLiteral("项目管理"), QStringLiteral("法律法规"),
                 QStringLiteral("合同管理"), QStringLiteral("质量与安全"),
                 QStringLiteral("造价与成本")},
                {QStringLiteral("基本概念"), QStringLiteral("主要内容"), QStringLiteral("实施要求"),
                 QStringLiteral("常见问题"), QStringLiteral("案例要点")},
                QStringLiteral("施工单位")};
    if (domain == QStringLiteral("财会经济"))
        return {{QStringLiteral("基础知识"), QStringLiteral("专业实务")},
                {QStringLiteral("总论"), QStringLiteral("资产"), QStringLiteral("负债"),
                 QStringLiteral("所有者权益"), QStringLiteral("收入、费用和利润"),
                 QStringLiteral("财务报告")},
                {QStringLiteral("概念与特征"), QStringLiteral("确认与计量"),
                 QStringLiteral("账务处理"), QStringLiteral("披露要求"), QStringLiteral("综合练习")},
                QStringLiteral("甲公司")};
    return {{QStringLiteral("基础知识"), QStringLiteral("专业能力")},
            {QStringLiteral("基本理论"), QStringLiteral("专业技能"), QStringLiteral("相关知识")},
            {QStringLiteral("概述"), QStringLiteral("要点"), QStringLiteral("应用")},
            QStringLiteral("某单位")};
}

// The generated questions of one section: single choice, multiple choice
// and a true/false statement.
void addSectionQuestions(SubjectContent &c, qint64 section, const QString &sectionTopic,
                         const QString &chapterTopic, int salt)
{
    const QString s = sectionTopic;
    const QString ch = chapterTopic;
    const QStringList single = {
        s + QStringLiteral("须在") + ch + QStringLiteral("的整体框架内理解"),
        s + QStringLiteral("的核心是把握其适用条件与基本要求"),
        s + QStringLiteral("与") + ch + QStringLiteral("无关"),
        s + QStringLiteral("只需记忆结论，无需理解原理")};
    const int right = 1 + salt % 2; // B or C holds the right statement
    QStringList options;
    QStringList order = {single[2], single[0], single[3], single[1]};
    if (right == 2)
        order = {single[2], single[3], single[1], single[0]};
    for (int i = 0; i < 4; ++i)
        options.append(QString(QLatin1Char('A' + i)) + QLatin1Char('.') + order[i]);
    c.questions.append({section, QStringLiteral("A1test"),
                        QStringLiteral("关于“") + s + QStringLiteral("”，下列说法正确的是"), {}, {},
                        QString(QLatin1Char('A' + right)), order[right], options.join(QLatin1Char('|')),
                        QStringLiteral("本题考查") + ch + QStringLiteral("中“") + s +
                            QStringLiteral("”的基本要求，应结合其适用条件理解，而非孤立记忆。")});

    c.questions.append(
        {section, QStringLiteral("Xtest"),
         QStringLiteral("学习“") + s + QStringLiteral("”时，应当掌握的内容有"), {}, {},
         QStringLiteral("ABD"),
         QStringLiteral("基本概念|适用范围|与相关知识的联系"),
         QStringLiteral("A.基本概念|B.适用范围|C.与本章无关的历史掌故|D.与相关知识的联系"),
         QStringLiteral("C项与考试要求无关，其余三项均为应掌握的内容。")});

    const bool truth = salt % 3 != 0;
    c.questions.append(
        {section, QStringLiteral("PDTEST"),
         truth ? QStringLiteral("“") + s + QStringLiteral("”是") + ch + QStringLiteral("的重要组成部分。")
               : QStringLiteral("“") + s + QStringLiteral("”在") + ch +
                     QStringLiteral("中不作考试要求。"),
         {}, {}, truth ? QStringLiteral("A") : QStringLiteral("B"),
         truth ? QStringLiteral("正确") : QStringLiteral("错误"), QStringLiteral("A.正确|B.错误"),
         QStringLiteral("考试大纲将“") + s + QStringLiteral("”列为") + ch + QStringLiteral("的考点。")});
}

// A case question, a matching question and a fill-in question per chapter.
void addChapterQuestions(SubjectContent &c, qint64 section, const QString &chapterTopic,
                         const QString &entity)
{
    c.questions.append(
        {section, QStringLiteral("A3test"), QStringLiteral("针对上述情况，首先应当采取的做法是"),
         QStringLiteral("案例：") + entity + QStringLiteral("在") + chapterTopic +
             QStringLiteral("方面遇到问题，需要依据有关规定作出判断。"),
         {}, QStringLiteral("A"), QStringLiteral("查明事实，依据规定处理"),
         QStringLiteral("A.查明事实，依据规定处理|B.凭经验处理|C.暂不处理|D.交由他人决定"),
         QStringLiteral("处理此类问题应先查明事实，再依据相关规定作出判断。")});
    c.questions.append(
        {section, QStringLiteral("Btest"), QStringLiteral("属于“") + chapterTopic +
                                               QStringLiteral("”核心内容的是"),
         {}, QStringLiteral("（共用备选答案）属于“") + chapterTopic + QStringLiteral("”核心内容的是"),
         QStringLiteral("C"), QStringLiteral("基本原则"),
         QStringLiteral("A.无关概念|B.历史沿革|C.基本原则|D.个人经验"),
         QStringLiteral("基本原则贯穿本章，是考试的重点。")});
    c.questions.append(
        {section, QStringLiteral("TKTEST"),
         chapterTopic + QStringLiteral("的学习要求可以概括为：理解____，掌握____。"), {}, {},
         QStringLiteral("原理|方法"), {}, {},
         QStringLiteral("本章强调原理与方法并重。")});
}

SubjectContent generated(qint32 appid, const QString &domainName)
{
    SubjectContent c;
    const Domain d = domainOf(domainName);
    qint64 next = qint64(appid) * 1000 + 1;
    const int chaptersPerPart = 3;
    const int sectionsPerChapter = 4;
    int chapterNo = 0;
    for (int p = 0; p < d.parts.size(); ++p) {
        const qint64 partId = next++;
        c.nodes.append({partId, QStringLiteral("0"), 1,
                        QStringLiteral("第") + numeral(p + 1) + QStringLiteral("篇 ") + d.parts[p]});
        for (int k = 0; k < chaptersPerPart; ++k) {
            const QString topic = d.chapters[(chapterNo + appid) % d.chapters.size()];
            ++chapterNo;
            const qint64 chapterId = next++;
            c.nodes.append({chapterId, QString::number(partId), 2,
                            QStringLiteral("第") + numeral(chapterNo) + QStringLiteral("章 ") + topic});
            for (int s = 0; s < sectionsPerChapter; ++s) {
                const QString sectionTopic = d.sections[(s + chapterNo) % d.sections.size()];
                const qint64 sectionId = next++;
                c.nodes.append({sectionId, QString::number(chapterId), 3,
                                QStringLiteral("第") + numeral(s + 1) + QStringLiteral("节 ") +
                                    topic + QStringLiteral("·") + sectionTopic});
                addSectionQuestions(c, sectionId, topic + QStringLiteral("·") + sectionTopic, topic,
                                    int(appid + sectionId));
                if (s == 0)
                    addChapterQuestions(c, sectionId, topic, d.entity);
            }
        }
    }
    return c;
}

void addStandardTypes(SubjectContent &c, qint32 appid)
{
    c.types = {{QStringLiteral("A1test"), QStringLiteral("每题只有一个最佳答案"),
                QStringLiteral("单项选择题"), QStringLiteral("1")},
               {QStringLiteral("Xtest"), QStringLiteral("每题有两个或两个以上正确答案"),
                QStringLiteral("多项选择题"), QStringLiteral("2")},
               {QStringLiteral("PDTEST"), QStringLiteral("判断对错"), QStringLiteral("判断题"),
                QStringLiteral("1")}};
    if (appid % 2 == 0 || appid == MedicineFlagship)
        c.types.append({QStringLiteral("A3test"), QStringLiteral("以下提供若干个案例"),
                        QStringLiteral("共用题干题"), QStringLiteral("1")});
    if (appid % 3 == 0 || appid == MedicineFlagship)
        c.types.append({QStringLiteral("Btest"), QStringLiteral("以下提供若干组备选答案"),
                        QStringLiteral("配伍选择题"), QStringLiteral("0.5")});
    c.types.append({QStringLiteral("TKTEST"), QStringLiteral("在横线处填写答案"),
                    QStringLiteral("填空题"), QStringLiteral("1")});
}

void addGuide(SubjectContent &c, const QString &caption, bool threeLevels)
{
    const auto para = [&](const QString &topic) -> QString {
        return QStringLiteral("<p>本文介绍") + caption + QStringLiteral("的") + topic +
               QStringLiteral("，请以当年官方公告为准。</p>");
    };
    c.help = {{QStringLiteral("001"), QStringLiteral("考试介绍"), para(QStringLiteral("考试概况"))},
              {QStringLiteral("001001"), QStringLiteral("报考条件"), para(QStringLiteral("报考条件"))},
              {QStringLiteral("001002"), QStringLiteral("考试时间"), para(QStringLiteral("考试时间安排"))},
              {QStringLiteral("002"), QStringLiteral("考试大纲"), para(QStringLiteral("考试大纲"))},
              {QStringLiteral("002001"), QStringLiteral("大纲解读"), para(QStringLiteral("大纲要点"))},
              {QStringLiteral("003"), QStringLiteral("备考指导"), para(QStringLiteral("复习方法"))}};
    if (threeLevels) {
        c.help.insert(5, {QStringLiteral("002001001"), QStringLiteral("重点章节"),
                          para(QStringLiteral("重点章节"))});
        c.help.insert(6, {QStringLiteral("002001002"), QStringLiteral("新增考点"),
                          para(QStringLiteral("新增考点"))});
        c.help.append({QStringLiteral("003001"), QStringLiteral("复习计划"),
                       para(QStringLiteral("复习计划"))});
    }
}

// Hand-written questions of the medical flagship, placed in its first sections.
void addMedicineQuestions(SubjectContent &c)
{
    const qint64 s1 = c.nodes.at(2).id; // first section
    const qint64 s2 = c.nodes.at(3).id;
    c.questions.append({s1, QStringLiteral("A1test"), QStringLiteral("青霉素类药物最常见的不良反应是"), {}, {},
                        QStringLiteral("B"), QStringLiteral("过敏反应"),
                        QStringLiteral("A.肝损害|B.过敏反应|C.肾毒性|D.耳毒性|E.骨髓抑制"),
                        QStringLiteral("青霉素最常见且最严重的不良反应是过敏反应，严重者可发生过敏性休克，"
                                       "用药前须询问过敏史并做皮肤试验。")});
    c.questions.append({s1, QStringLiteral("A1test"), QStringLiteral("青霉素过敏性休克抢救首选的药物是"), {}, {},
                        QStringLiteral("B"), QStringLiteral("肾上腺素"),
                        QStringLiteral("A.地塞米松|B.肾上腺素|C.异丙嗪|D.多巴胺|E.去甲肾上腺素"),
                        QStringLiteral("肾上腺素可迅速收缩血管、舒张支气管，是抢救过敏性休克的首选药。")});
    c.questions.append({s1, QStringLiteral("A1test"), QStringLiteral("治疗梅毒首选的药物是"), {}, {},
                        QStringLiteral("C"), QStringLiteral("青霉素G"),
                        QStringLiteral("A.红霉素|B.四环素|C.青霉素G|D.头孢曲松|E.多西环素"),
                        QStringLiteral("青霉素G是治疗各期梅毒的首选药物。")});
    c.questions.append({s1, QStringLiteral("Xtest"),
                        QStringLiteral("对青霉素过敏的革兰阳性球菌感染患者，可以选用的药物有"), {}, {},
                        QStringLiteral("AC"), QStringLiteral("红霉素|克林霉素"),
                        QStringLiteral("A.红霉素|B.氨苄西林|C.克林霉素|D.阿莫西林"),
                        QStringLiteral("氨苄西林、阿莫西林与青霉素有交叉过敏，禁用。")});
    c.questions.append({s2, QStringLiteral("A3test"), QStringLiteral("最可能的诊断是"),
                        QStringLiteral("患者男，25岁。受凉后寒战、高热，咳铁锈色痰，右下肺可闻及支气管呼吸音。"),
                        {}, QStringLiteral("A"), QStringLiteral("肺炎链球菌肺炎"),
                        QStringLiteral("A.肺炎链球菌肺炎|B.肺结核|C.支气管扩张|D.肺脓肿"),
                        QStringLiteral("青年、受凉、寒战高热、铁锈色痰是肺炎链球菌肺炎的典型表现。")});
    c.questions.append({s2, QStringLiteral("A3test"), QStringLiteral("首选的抗菌药物是"),
                        QStringLiteral("患者男，25岁。受凉后寒战、高热，咳铁锈色痰，右下肺可闻及支气管呼吸音。"),
                        {}, QStringLiteral("B"), QStringLiteral("青霉素G"),
                        QStringLiteral("A.庆大霉素|B.青霉素G|C.甲硝唑|D.异烟肼"),
                        QStringLiteral("肺炎链球菌对青霉素敏感，首选青霉素G。")});
    c.questions.append({s2, QStringLiteral("Btest"), QStringLiteral("可引起灰婴综合征的是"), {},
                        QStringLiteral("（共用备选答案：A.青霉素 B.链霉素 C.庆大霉素 D.氯霉素）可引起灰婴综合征的是"),
                        QStringLiteral("D"), QStringLiteral("氯霉素"),
                        QStringLiteral("A.青霉素|B.链霉素|C.庆大霉素|D.氯霉素"),
                        QStringLiteral("新生儿肝脏代谢氯霉素能力不足，可致灰婴综合征。")});
    c.questions.append({s2, QStringLiteral("TKTEST"),
                        QStringLiteral("青霉素的抗菌机制是抑制细菌____的合成，属于____类抗生素。"), {}, {},
                        QStringLiteral("细胞壁|β-内酰胺"), {}, {},
                        QStringLiteral("青霉素与青霉素结合蛋白结合，抑制细胞壁黏肽合成。")});
}

// The accounting flagship: hand-written questions and a long exercise chapter
// of 300 sections.
void addAccountingContent(SubjectContent &c, qint32 appid)
{
    const qint64 s1 = c.nodes.at(2).id;
    c.questions.append({s1, QStringLiteral("A1test"),
                        QStringLiteral("企业资产按流动性分类，下列各项中属于流动资产的是"), {}, {},
                        QStringLiteral("B"), QStringLiteral("应收账款"),
                        QStringLiteral("A.固定资产|B.应收账款|C.无形资产|D.长期股权投资"),
                        QStringLiteral("应收账款预计在一个正常营业周期内变现，属于流动资产。")});
    c.questions.append({s1, QStringLiteral("Xtest"), QStringLiteral("会计的基本职能包括"), {}, {},
                        QStringLiteral("AB"), QStringLiteral("会计核算|会计监督"),
                        QStringLiteral("A.会计核算|B.会计监督|C.预测经济前景|D.参与经济决策"),
                        QStringLiteral("会计的基本职能是核算与监督，C、D属于拓展职能。")});
    c.questions.append({s1, QStringLiteral("TKTEST"),
                        QStringLiteral("会计要素中，反映财务状况的要素包括资产、____和所有者权益。"), {}, {},
                        QStringLiteral("负债"), {}, {},
                        QStringLiteral("资产、负债和所有者权益反映企业的财务状况。")});

    const QStringList items = {
        QStringLiteral("库存现金"), QStringLiteral("银行存款"), QStringLiteral("其他货币资金"),
        QStringLiteral("交易性金融资产"), QStringLiteral("应收票据"), QStringLiteral("应收账款"),
        QStringLiteral("预付账款"), QStringLiteral("其他应收款"), QStringLiteral("原材料"),
        QStringLiteral("周转材料"), QStringLiteral("委托加工物资"), QStringLiteral("库存商品"),
        QStringLiteral("固定资产"), QStringLiteral("无形资产"), QStringLiteral("长期待摊费用"),
        QStringLiteral("短期借款"), QStringLiteral("应付职工薪酬"), QStringLiteral("应交税费"),
        QStringLiteral("实收资本"), QStringLiteral("留存收益")};
    const QStringList aspects = {
        QStringLiteral("概念"), QStringLiteral("初始计量"), QStringLiteral("后续计量"),
        QStringLiteral("账务处理"), QStringLiteral("期末计价"), QStringLiteral("减值"),
        QStringLiteral("清查"), QStringLiteral("处置"), QStringLiteral("列报"),
        QStringLiteral("常见错误"), QStringLiteral("例题精讲"), QStringLiteral("真题回顾"),
        QStringLiteral("易混考点"), QStringLiteral("综合练习"), QStringLiteral("考前冲刺")};
    qint64 next = qint64(appid) * 1000 + 600;
    // The exercise chapter belongs to the last part, so it follows that part's rows.
    qint64 partId = c.nodes.first().id;
    for (const SeedNode &node : std::as_const(c.nodes))
        if (node.tree == 1)
            partId = node.id;
    const qint64 chapterId = next++;
    c.nodes.append({chapterId, QString::number(partId), 2, QStringLiteral("第七章 资产与负债分项精练")});
    int n = 0;
    for (const QString &item : items) {
        for (const QString &aspect : aspects) {
            ++n;
            const qint64 sectionId = next++;
            const QString topic = item + QStringLiteral("·") + aspect;
            c.nodes.append({sectionId, QString::number(chapterId), 3,
                            QStringLiteral("%1 ").arg(n, 3, 10, QLatin1Char('0')) + topic});
            addSectionQuestions(c, sectionId, topic, item, n);
            // A fourth question per section, so that the subject holds well
            // over the 1000 questions of the long favourites list.
            c.questions.append({sectionId, QStringLiteral("A1test"),
                                QStringLiteral("下列关于“") + topic + QStringLiteral("”的表述中，错误的是"), {}, {},
                                QStringLiteral("D"), QStringLiteral("与会计准则无关"),
                                QStringLiteral("A.属于") + item + QStringLiteral("的核算内容|B.须遵循会计准则"
                                               "|C.期末应按规定列报|D.与会计准则无关"),
                                QStringLiteral("任何会计事项都须遵循会计准则，D项错误。")});
        }
    }
}

} // namespace

SubjectContent MakeSubjectContent(qint32 appid, const QString &caption, const QString &domain)
{
    SubjectContent c = generated(appid, domain);
    addStandardTypes(c, appid);
    addGuide(c, caption, appid % 2 == 1);
    if (appid == MedicineFlagship)
        addMedicineQuestions(c);
    else if (appid == AccountingFlagship)
        addAccountingContent(c, appid);
    return c;
}
