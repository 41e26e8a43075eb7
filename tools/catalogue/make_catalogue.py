#!/usr/bin/env python3
"""Generates the subject catalogue that the client carries inside itself.

The output is one marshalled TAppListObject (wire form: "type", "id", "fields"
with one array of strings per column and the status text "msg"), cut into lines
of at most 1024 characters that are joined by CR LF, with no line break after
the last line.  The client joins the lines again before it decodes the text.

The tree has four levels under three top-level categories (pid "1"), plus a
retired branch whose root hangs under id "0", which no reader ever reaches.
Rows always follow their parents; siblings keep the order given here.

The result is deterministic: running it twice gives the same bytes.

    tools/catalogue/make_catalogue.py resources/catalogue/applist.txt
"""

import json
import random
import sys

LINE = 1024

# ---------------------------------------------------------------------------
# Content.  Each category: (caption, code, [children]); a child is either a
# category tuple or a subject caption (str).  Pools marked "fill" supply the
# extra subjects that bring the levels to their fixed sizes.

MED_UNITS = ["基础知识", "相关专业知识", "专业知识", "专业实践能力"]

INTERNAL = ["内科学", "心血管内科学", "呼吸内科学", "消化内科学", "肾内科学", "神经内科学",
            "内分泌学", "血液病学", "结核病学", "传染病学", "风湿与临床免疫学", "职业病学",
            "老年医学", "全科医学", "感染病学", "心身医学", "睡眠医学", "变态反应学"]
SURGERY = ["普通外科学", "骨外科学", "胸心外科学", "神经外科学", "泌尿外科学", "小儿外科学",
           "烧伤外科学", "整形外科学", "肛肠外科学", "乳腺外科学", "血管外科学", "麻醉学",
           "急诊医学", "重症医学", "手外科学", "显微外科学", "器官移植", "关节外科学"]
WOMEN_CHILD = ["妇产科学", "儿科学", "小儿内科学", "新生儿科学", "眼科学", "耳鼻咽喉科学",
               "皮肤与性病学", "精神病学", "康复医学", "疼痛学", "计划生育", "妇女保健",
               "生殖医学", "儿童保健", "口腔医学"]
MED_TECH = ["病理学", "临床医学检验", "放射医学", "超声医学", "核医学", "放射肿瘤治疗学",
            "肿瘤内科学", "肿瘤外科学", "输血技术", "病案信息技术", "心电学技术", "神经电生理(脑电图)技术",
            "微生物检验技术", "理化检验技术", "康复医学治疗技术", "营养", "消毒技术", "中医护理"]
TCM = ["中医内科学", "中医外科学", "中医妇科学", "中医儿科学", "中医眼科学", "中医骨伤科学",
       "针灸学", "推拿(按摩)学", "中医耳鼻喉科学", "中医皮肤与性病学", "中西医结合内科学",
       "中西医结合外科学", "中西医结合妇科学", "中西医结合儿科学"]
TECH_JUNIOR = ["放射医学技术", "临床医学检验技术", "病理学技术", "康复医学治疗技术", "口腔医学技术",
               "营养", "理化检验技术", "微生物检验技术", "病案信息技术", "输血技术", "心电学技术",
               "超声波医学技术", "核医学技术", "卫生检验技术"]
SENIOR = INTERNAL + SURGERY + WOMEN_CHILD + [
    "病理学", "临床医学检验学", "放射医学", "超声医学", "核医学", "口腔医学", "口腔内科学",
    "口腔颌面外科学", "口腔修复学", "口腔正畸学", "中医内科学", "中医外科学", "针灸学",
    "护理学", "内科护理", "外科护理", "妇产科护理", "儿科护理", "社区护理", "药学", "中药学",
    "疾病控制", "职业卫生", "环境卫生", "营养与食品卫生", "学校卫生与儿少卫生", "卫生毒理",
    "妇幼保健", "健康教育与健康促进", "临床药学"]


def units(prefix):
    return [f"{prefix}·{u}" for u in MED_UNITS]


def specialties(names, level):
    """One subject per specialty and exam unit, as the health title exams are sat."""
    return [f"{n}({level})·{u}" for n in names for u in MED_UNITS]


MEDICINE = ("医药卫生", "YXWS", [
    ("执业医师", "ZYYS", [
        ("临床执业医师", "LCYS", ["医学综合笔试", "实践技能", "第一单元", "第二单元", "第三单元",
                             "第四单元", "生理学", "生物化学", "病理学", "药理学", "医学微生物学",
                             "医学免疫学", "内科学", "外科学", "妇产科学", "儿科学", "神经病学",
                             "精神病学", "传染病学", "医学伦理学", "医学心理学", "卫生法规",
                             "预防医学", "诊断学"]),
        ("临床执业助理医师", "LCZL", ["医学综合笔试", "实践技能", "第一单元", "第二单元",
                               "基础医学综合", "临床医学综合", "卫生法规", "预防医学"]),
        ("中医执业医师", "ZYYI", ["医学综合笔试", "实践技能", "中医基础理论", "中医诊断学",
                             "中药学", "方剂学", "中医内科学", "中医外科学", "中医妇科学",
                             "中医儿科学", "针灸学", "诊断学基础", "传染病学", "卫生法规"]),
        ("中医执业助理医师", "ZYZL", ["医学综合笔试", "实践技能", "中医基础理论", "中医诊断学",
                               "中药学", "方剂学", "卫生法规"]),
        ("中西医结合执业医师", "ZXYS", ["医学综合笔试", "实践技能", "中西医结合内科学",
                                "中西医结合外科学", "中西医结合妇产科学", "中西医结合儿科学",
                                "诊断学基础", "药理学"]),
        ("口腔执业医师", "KQYS", ["医学综合笔试", "实践技能", "口腔解剖生理学", "口腔组织病理学",
                             "口腔内科学", "口腔颌面外科学", "口腔修复学", "口腔预防医学",
                             "口腔正畸学"]),
        ("口腔执业助理医师", "KQZL", ["医学综合笔试", "实践技能", "口腔内科学", "口腔颌面外科学",
                               "口腔修复学"]),
        ("公共卫生执业医师", "GWYS", ["医学综合笔试", "实践技能", "流行病学", "卫生统计学",
                               "职业卫生与职业医学", "营养与食品卫生学", "环境卫生学",
                               "儿童少年卫生学", "社会医学", "卫生毒理学"]),
        ("乡村全科执业助理医师", "XCQK", ["医学综合笔试", "实践技能", "基础医学综合",
                                 "临床医学综合", "公共卫生综合"]),
        "医师定期考核·临床", "医师定期考核·中医", "医师定期考核·口腔", "医师定期考核·公卫",
    ]),
    ("药学类", "YXL", [
        ("执业药师(药学)", "ZYYX", ["药学专业知识(一)", "药学专业知识(二)", "药事管理与法规",
                              "药学综合知识与技能"]),
        ("执业药师(中药学)", "ZYZY", ["中药学专业知识(一)", "中药学专业知识(二)", "药事管理与法规",
                               "中药学综合知识与技能"]),
        ("初级药士", "CJYS", MED_UNITS),
        ("初级药师", "CJYX", MED_UNITS),
        ("主管药师", "ZGYS", MED_UNITS),
        ("初级中药士", "ZYSS", MED_UNITS),
        ("初级中药师", "ZYSH", MED_UNITS),
        ("主管中药师", "ZGZY", MED_UNITS),
        "医院药学(副高)", "临床药学(副高)", "中药学(副高)", "医院药学(正高)",
    ]),
    ("护理类", "HLL", [
        ("护士执业资格", "HSZG", ["专业实务", "实践能力", "基础护理学", "内科护理学", "外科护理学",
                             "妇产科护理学", "儿科护理学"]),
        ("初级护师", "CJHS", MED_UNITS),
        ("主管护师", "ZGHS", MED_UNITS + ["内科护理", "外科护理", "妇产科护理", "儿科护理",
                                     "社区护理"]),
        "护理学(副高)", "内科护理(副高)", "外科护理(副高)", "妇产科护理(副高)", "儿科护理(副高)",
        "社区护理(副高)", "护理学(正高)", "内科护理(正高)", "外科护理(正高)",
    ]),
    ("卫生专业技术资格", "WSZC", [
        ("主治医师·内科系列", "ZZNK", "fill", specialties(INTERNAL, "中级")),
        ("主治医师·外科系列", "ZZWK", "fill", specialties(SURGERY, "中级")),
        ("主治医师·妇儿与五官", "ZZFE", "fill", specialties(WOMEN_CHILD, "中级")),
        ("主治医师·医技与肿瘤", "ZZYJ", "fill", specialties(MED_TECH, "中级")),
        ("中医主治医师", "ZYZZ", "fill", specialties(TCM, "中级")),
        ("初级(士)医技", "CJSJ", "fill", specialties(TECH_JUNIOR, "士")),
        ("初级(师)医技", "CJSH", "fill", specialties(TECH_JUNIOR, "师")),
        ("中级医技", "ZJYJ", "fill", specialties(TECH_JUNIOR, "中级")),
        ("fill-senior",),
    ]),
])

BUILDING = ("建筑工程", "JZGC", [
    ("建造师", "JZS", [
        ("一级建造师", "YJJZ", ["建设工程经济", "建设工程法规及相关知识", "建设工程项目管理",
                           "建筑工程管理与实务", "市政公用工程管理与实务", "机电工程管理与实务",
                           "公路工程管理与实务", "水利水电工程管理与实务", "矿业工程管理与实务",
                           "铁路工程管理与实务", "民航机场工程管理与实务", "港口与航道工程管理与实务",
                           "通信与广电工程管理与实务"]),
        ("二级建造师", "EJJZ", ["建设工程施工管理", "建设工程法规及相关知识", "建筑工程管理与实务",
                           "市政公用工程管理与实务", "机电工程管理与实务", "公路工程管理与实务",
                           "水利水电工程管理与实务", "矿业工程管理与实务"]),
        "一级建造师·历年真题精选", "二级建造师·历年真题精选",
    ]),
    ("工程造价与监理", "ZJJL", [
        "一级造价工程师·建设工程造价管理", "一级造价工程师·建设工程计价",
        "一级造价工程师·建设工程技术与计量(土木建筑)", "一级造价工程师·建设工程技术与计量(安装)",
        "一级造价工程师·建设工程技术与计量(交通运输)", "一级造价工程师·建设工程技术与计量(水利)",
        "一级造价工程师·建设工程造价案例分析", "二级造价工程师·建设工程造价管理基础知识",
        "二级造价工程师·建设工程计量与计价实务(土木建筑)", "二级造价工程师·建设工程计量与计价实务(安装)",
        "监理工程师·建设工程监理基本理论和相关法规", "监理工程师·建设工程合同管理",
        "监理工程师·建设工程目标控制(土木建筑)", "监理工程师·建设工程监理案例分析(土木建筑)",
        "监理工程师·建设工程目标控制(交通运输)", "监理工程师·建设工程目标控制(水利)",
        "咨询工程师·宏观经济政策与发展规划", "咨询工程师·工程项目组织与管理",
        "咨询工程师·项目决策分析与评价", "咨询工程师·现代咨询方法与实务",
    ]),
    ("消防与安全", "XFAQ", [
        "一级消防工程师·消防安全技术实务", "一级消防工程师·消防安全技术综合能力",
        "一级消防工程师·消防安全案例分析", "二级消防工程师·消防安全技术综合能力",
        "二级消防工程师·消防安全案例分析", "注册安全工程师·安全生产法律法规",
        "注册安全工程师·安全生产管理", "注册安全工程师·安全生产技术基础",
        "注册安全工程师·安全生产专业实务(建筑施工安全)", "注册安全工程师·安全生产专业实务(化工安全)",
        "注册安全工程师·安全生产专业实务(金属非金属矿山安全)", "注册安全工程师·安全生产专业实务(煤矿安全)",
        "注册安全工程师·安全生产专业实务(其他安全)", "环境影响评价工程师·相关法律法规",
        "环境影响评价工程师·技术导则与标准", "环境影响评价工程师·技术方法",
        "环境影响评价工程师·案例分析", "房地产估价师·房地产制度法规政策",
        "房地产估价师·房地产估价原理与方法", "房地产估价师·房地产估价基础与实务",
        "注册城乡规划师·城乡规划原理", "注册城乡规划师·城乡规划管理与法规",
        "注册城乡规划师·城乡规划相关知识", "注册城乡规划师·城乡规划实务",
    ]),
])

FINANCE = ("财会经济", "CKJJ", [
    ("会计职称", "KJZC", [
        "初级会计实务", "经济法基础", "中级会计实务", "财务管理", "经济法(中级)", "高级会计实务",
        "初级会计·历年真题精选", "中级会计·历年真题精选",
    ]),
    ("注册会计师与税务师", "CPAS", [
        "注册会计师·会计", "注册会计师·审计", "注册会计师·财务成本管理", "注册会计师·经济法",
        "注册会计师·税法", "注册会计师·公司战略与风险管理", "注册会计师·职业能力综合测试(一)",
        "注册会计师·职业能力综合测试(二)", "税务师·税法(一)", "税务师·税法(二)",
        "税务师·涉税服务实务", "税务师·涉税服务相关法律", "税务师·财务与会计",
        "资产评估师·资产评估基础", "资产评估师·资产评估相关知识", "资产评估师·资产评估实务(一)",
        "资产评估师·资产评估实务(二)",
    ]),
    ("经济师", "JJS", [
        ("中级经济师", "ZJJJ", ["经济基础知识", "工商管理专业知识与实务", "人力资源管理专业知识与实务",
                           "金融专业知识与实务", "财政税收专业知识与实务",
                           "建筑与房地产经济专业知识与实务", "运输经济专业知识与实务",
                           "农业经济专业知识与实务", "保险专业知识与实务", "知识产权专业知识与实务",
                           "旅游经济专业知识与实务"]),
        "初级经济师·经济基础知识", "初级经济师·工商管理专业知识与实务",
        "初级经济师·人力资源管理专业知识与实务", "初级经济师·金融专业知识与实务",
        "初级经济师·财政税收专业知识与实务", "初级经济师·建筑与房地产经济专业知识与实务",
        "高级经济师·高级经济实务",
    ]),
    ("金融从业", "JRCY", [
        "银行从业·银行业法律法规与综合能力", "银行从业·个人理财", "银行从业·风险管理",
        "银行从业·公司信贷", "银行从业·个人贷款", "银行从业·银行管理",
        "银行从业(中级)·个人理财", "银行从业(中级)·风险管理", "银行从业(中级)·公司信贷",
        "证券从业·金融市场基础知识", "证券从业·证券市场基本法律法规", "证券从业·证券投资顾问业务",
        "证券从业·证券投资分析", "证券从业·发布证券研究报告业务", "证券从业·保荐代表人胜任能力",
        "基金从业·基金法律法规、职业道德与业务规范", "基金从业·证券投资基金基础知识",
        "基金从业·私募股权投资基金基础知识", "期货从业·期货基础知识", "期货从业·期货法律法规",
        "期货从业·期货投资分析", "保险从业·保险基础知识", "保险从业·保险代理人资格",
        "黄金从业·黄金市场基础知识", "反假货币·人民币鉴别技术",
    ]),
    ("统计与审计", "TJSJ", [
        "初级统计师·统计学和统计法基础知识", "初级统计师·统计业务知识", "中级统计师·统计基础理论及相关知识",
        "中级统计师·统计工作实务", "初级审计师·审计专业相关知识", "初级审计师·审计理论与实务",
        "中级审计师·审计专业相关知识", "中级审计师·审计理论与实务", "国际注册内部审计师·内部审计基础",
        "国际注册内部审计师·内部审计实务", "国际注册内部审计师·内部审计知识要素",
    ]),
])

# Subjects of exams that are no longer held.  Their branch hangs under id "0"
# and stays in the list for old client data; no tree shows it.
RETIRED = ("已停考科目", "TKKM", [
    ("会计从业资格", "KJCY", ["财经法规与会计职业道德", "会计基础", "初级会计电算化", "珠算",
                         "会计从业·历年真题", "会计从业·无纸化模拟", "会计从业·上机考试",
                         "会计从业·章节练习", "会计从业·考前冲刺", "会计从业·核心考点"]),
    ("物流师", "WLS", ["物流基础知识", "物流师(三级)", "物流师(二级)", "助理物流师", "高级物流师",
                    "物流案例分析", "采购与供应链", "仓储管理", "运输管理", "国际物流"]),
    ("理财规划师", "LCGH", ["基础知识", "专业能力(三级)", "专业能力(二级)", "综合评审", "案例分析",
                       "投资规划", "保险规划", "税收规划", "退休规划", "财产传承规划"]),
    ("人力资源管理师(旧版)", "RLZY", ["基础知识", "三级·理论知识", "三级·专业能力", "二级·理论知识",
                                "二级·专业能力", "一级·理论知识", "一级·专业能力", "综合评审",
                                "四级·理论知识", "四级·专业能力"]),
    ("企业法律顾问", "QYFG", ["企业法律顾问实务", "企业管理知识", "综合法律知识", "民商法",
                        "经济法", "行政法与行政诉讼法", "民事诉讼法与仲裁法", "刑法",
                        "国际经济法", "案例分析"]),
    ("建筑施工员(旧版)", "SGY", ["土建施工员·基础知识", "土建施工员·岗位实务", "安装施工员·基础知识",
                            "安装施工员·岗位实务", "市政施工员·基础知识", "市政施工员·岗位实务",
                            "装饰施工员·基础知识", "装饰施工员·岗位实务", "质量员·基础知识",
                            "资料员·基础知识"]),
    ("质量工程师(旧版)", "ZLGC", ["质量专业基础理论与实务(初级)", "质量专业相关知识(初级)",
                             "质量专业理论与实务(中级)", "质量专业综合知识(中级)", "六西格玛绿带",
                             "六西格玛黑带", "可靠性工程", "统计过程控制", "测量系统分析",
                             "质量管理体系"]),
    ("秘书资格", "MSZG", ["秘书(五级)", "秘书(四级)", "秘书(三级)", "秘书(二级)", "秘书基础知识",
                      "文书写作", "办公事务管理", "会议管理", "商务沟通", "档案管理"]),
    ("公共营养师(旧版)", "YYS", ["基础知识", "四级·理论知识", "四级·技能", "三级·理论知识",
                            "三级·技能", "二级·理论知识", "二级·技能", "膳食指导",
                            "营养配餐", "食品卫生"]),
    ("心理咨询师(旧版)", "XLZX", ["基础知识", "三级·理论知识", "三级·操作技能", "二级·理论知识",
                             "二级·操作技能", "心理测量", "心理诊断", "心理咨询技能",
                             "发展心理学", "社会心理学", "变态心理学", "健康心理学", "咨询心理学",
                             "心理学概论"]),
])

# Row counts of the catalogue.
LEVEL3_SUBJECTS = 229
LEVEL4_SUBJECTS = 670
RETIRED_SUBJECTS = 104

FLAGSHIP = {"初级会计实务": 19851, "临床执业医师·医学综合笔试": 10218}
LARGEST = "临床执业医师·医学综合笔试"
LARGEST_COUNT = 35646


class Builder:
    def __init__(self):
        self.rows = []
        self.rng = random.Random(20261211)
        self.used_ids = set(FLAGSHIP.values())
        self.next_subject = 10001

    def subject_id(self, caption):
        if caption in FLAGSHIP:
            return FLAGSHIP[caption]
        while True:
            self.next_subject += self.rng.randint(3, 27)
            if self.next_subject not in self.used_ids:
                self.used_ids.add(self.next_subject)
                return self.next_subject

    def add(self, appid, pid, appname, caption, testnum, isapp):
        self.rows.append((str(appid), str(pid), appname, caption, str(testnum), isapp))

    def add_category(self, appid, pid, caption):
        self.add(appid, pid, "", caption, 0, "False")

    def add_subject(self, pid, code, index, caption, retired=False):
        appid = (100000 + len(self.rows)) if retired else self.subject_id(caption)
        if caption == LARGEST:
            testnum = LARGEST_COUNT
        else:
            testnum = self.rng.randint(180, LARGEST_COUNT - 1)
        self.add(appid, pid, f"{code}_{index:02d}", caption, testnum, "True")


def subjects_of(parent_caption, items):
    """Subject captions under a category name them with the category's prefix."""
    return [f"{parent_caption}·{s}" if "·" not in s and not s.startswith(parent_caption) else s
            for s in items]


def build():
    b = Builder()
    # Pools that fill level 3 (senior titles) and level 4 (health title specialties).
    level3_fixed = 0
    level4_fixed = 0
    for top in (MEDICINE, BUILDING, FINANCE):
        for l2 in top[2]:
            for c in l2[2]:
                if isinstance(c, str):
                    level3_fixed += 1
                elif len(c) == 3:
                    level4_fixed += len(c[2])
    fill_cats = [c for c in MEDICINE[2][3][2] if len(c) == 4]
    fill3_pool = [f"{n}(副高)" for n in SENIOR] + [f"{n}(正高)" for n in SENIOR]
    need3 = LEVEL3_SUBJECTS - level3_fixed
    need4 = LEVEL4_SUBJECTS - level4_fixed
    assert 0 <= need3 <= len(fill3_pool), (need3, len(fill3_pool))
    # Share the level-4 fill over the fill categories, each taking from its own pool.
    share = [0] * len(fill_cats)
    pools = [c[3] for c in fill_cats]
    left = need4
    while left > 0:
        progressed = False
        for i, pool in enumerate(pools):
            if left and share[i] < len(pool):
                share[i] += 1
                left -= 1
                progressed = True
        assert progressed, "level-4 pools too small"

    for top_id, top in ((2, MEDICINE), (3, BUILDING), (4, FINANCE)):
        b.add_category(top_id, 1, top[0])
        for i2, l2 in enumerate(top[2], start=1):
            l2_id = top_id * 100 + i2 * 10
            b.add_category(l2_id, top_id, l2[0])
            n3 = 0
            n3_cats = 0
            fill_index = 0
            for c in l2[2]:
                if isinstance(c, str):
                    n3 += 1
                    b.add_subject(l2_id, l2[1], n3, c)
                elif c[0] == "fill-senior":
                    for s in fill3_pool[:need3]:
                        n3 += 1
                        b.add_subject(l2_id, l2[1], n3, s)
                else:
                    n3_cats += 1
                    l3_id = l2_id * 10 + n3_cats
                    b.add_category(l3_id, l2_id, c[0])
                    if len(c) == 4:
                        items = c[3][:share[fill_index]]
                        fill_index += 1
                    else:
                        items = subjects_of(c[0], c[2])
                    for n4, s in enumerate(items, start=1):
                        b.add_subject(l3_id, c[1], n4, s)

    # The retired branch: its root under id "0", its categories under the root.
    root_id = 900000
    b.add_category(root_id, 0, RETIRED[0])
    retired_left = RETIRED_SUBJECTS
    for i, (caption, code, items) in enumerate(RETIRED[2], start=1):
        cat_id = root_id + i * 100
        b.add_category(cat_id, root_id, caption)
        take = min(len(items), retired_left)
        for n, s in enumerate(items[:take], start=1):
            b.add_subject(cat_id, code, n, f"{caption}·{s}", retired=True)
        retired_left -= take
    assert retired_left == 0, retired_left
    return b.rows


def marshal(rows):
    cols = ["appid", "pid", "appname", "caption", "testnum", "isapp"]
    fields = {name: [r[i] for r in rows] for i, name in enumerate(cols)}
    fields["msg"] = "ok"
    obj = {"type": "Data_structure.TAppListObject", "id": 1, "fields": fields}
    return json.dumps(obj, ensure_ascii=False, separators=(",", ":"))


def split_lines(text):
    return [text[i:i + LINE] for i in range(0, len(text), LINE)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rows = build()
    text = marshal(rows)
    lines = split_lines(text)
    with open(sys.argv[1], "w", encoding="utf-8", newline="") as f:
        f.write("\r\n".join(lines))
    cats = sum(1 for r in rows if r[5] == "False")
    print(f"{len(rows)} rows, {cats} categories, {len(rows) - cats} subjects, "
          f"{len(text)} characters in {len(lines)} lines")


if __name__ == "__main__":
    main()
