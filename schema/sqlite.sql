-- Shared tables of the production suite, SQLite version.
-- Names are spelled exactly as the suite's statements spell them. Marks and
-- stamps are NOT NULL text holding '' when not set: clearing one writes '',
-- never NULL. Numbers are REAL or INTEGER. Tables have no key column of their
-- own: rows are identified by SQLite's rowid.
-- Statements end with ";" at the end of a line; comment lines start with "--".

-- Settings read at start-up.
CREATE TABLE "COMPANY" (
    "COMPANY" TEXT DEFAULT '',
    "ADD"     TEXT DEFAULT '',
    "ADD1"    TEXT DEFAULT '',
    "TNO"     TEXT DEFAULT '',
    "TEL"     TEXT DEFAULT '',
    "FAX"     TEXT DEFAULT ''
);
CREATE TABLE "COMPANY1" (
    "COMPANY" TEXT DEFAULT '',
    "ADD"     TEXT DEFAULT '',
    "TNO"     TEXT DEFAULT '',
    "TEL"     TEXT DEFAULT '',
    "FAX"     TEXT DEFAULT ''
);
CREATE TABLE "COMPANY2" (
    "COMPANY" TEXT DEFAULT '',
    "ADD"     TEXT DEFAULT '',
    "TNO"     TEXT DEFAULT '',
    "TEL"     TEXT DEFAULT '',
    "FAX"     TEXT DEFAULT ''
);
CREATE TABLE "SYSTEM" (
    "MFUN"   TEXT DEFAULT '',
    "ITEM0"  TEXT DEFAULT '',
    "ITEM1"  TEXT DEFAULT '',
    "ITEM2"  TEXT DEFAULT '',
    "ITEM3"  TEXT DEFAULT '',
    "ITEM4"  TEXT DEFAULT '',
    "ITEM5"  TEXT DEFAULT '',
    "ITEM6"  TEXT DEFAULT '',
    "ITEM7"  TEXT DEFAULT '',
    "ITEM8"  TEXT DEFAULT '',
    "ITEM9"  TEXT DEFAULT '',
    "ITEM10" TEXT DEFAULT '',
    "ITEM11" TEXT DEFAULT '',
    "ITEM12" TEXT DEFAULT '',
    "ITEM13" TEXT DEFAULT '',
    "ITEM14" TEXT DEFAULT '',
    "ITEM15" TEXT DEFAULT '',
    "ITEM16" TEXT DEFAULT '',
    "ITEM17" TEXT DEFAULT '',
    "ITEM18" TEXT DEFAULT '',
    "ITEM19" TEXT DEFAULT '',
    "ITEM20" TEXT DEFAULT '',
    "ITEM21" TEXT DEFAULT '',
    "ITEM22" TEXT DEFAULT '',
    "ITEM23" TEXT DEFAULT '',
    "ITEM24" TEXT DEFAULT '',
    "ITEM25" TEXT DEFAULT '',
    "ITEM26" TEXT DEFAULT '',
    "ITEM27" TEXT DEFAULT '',
    "ITEM28" TEXT DEFAULT '',
    "ITEM29" TEXT DEFAULT '',
    "ITEM30" TEXT DEFAULT '',
    "ITEM31" TEXT DEFAULT '',
    "ITEM32" TEXT DEFAULT '',
    "ITEM33" TEXT DEFAULT '',
    "ITEM34" TEXT DEFAULT '',
    "ITEM35" TEXT DEFAULT '',
    "ITEM36" TEXT DEFAULT '',
    "ITEM37" TEXT DEFAULT '',
    "ITEM38" TEXT DEFAULT '',
    "ITEM39" TEXT DEFAULT '',
    "ITEM40" TEXT DEFAULT '',
    "ITEM41" TEXT DEFAULT '',
    "ITEM42" TEXT DEFAULT '',
    "ITEM43" TEXT DEFAULT '',
    "ITEM44" TEXT DEFAULT '',
    "ITEM45" TEXT DEFAULT '',
    "ITEM46" TEXT DEFAULT '',
    "ITEM47" TEXT DEFAULT '',
    "ITEM48" TEXT DEFAULT '',
    "ITEM49" TEXT DEFAULT '',
    "ITEM50" TEXT DEFAULT '',
    "ITEM51" TEXT DEFAULT '',
    "ITEM52" TEXT DEFAULT '',
    "ITEM53" TEXT DEFAULT '',
    "ITEM54" TEXT DEFAULT '',
    "ITEM55" TEXT DEFAULT '',
    "ITEM56" TEXT DEFAULT '',
    "ITEM57" TEXT DEFAULT '',
    "ITEM58" TEXT DEFAULT '',
    "ITEM59" TEXT DEFAULT '',
    "ITEM60" TEXT DEFAULT '',
    "ITEM61" TEXT DEFAULT '',
    "ITEM62" TEXT DEFAULT '',
    "ITEM63" TEXT DEFAULT '',
    "ITEM64" TEXT DEFAULT '',
    "ITEM65" TEXT DEFAULT '',
    "ITEM66" TEXT DEFAULT '',
    "ITEM67" TEXT DEFAULT '',
    "ITEM68" TEXT DEFAULT '',
    "ITEM69" TEXT DEFAULT '',
    "ITEM70" TEXT DEFAULT '',
    "ITEM71" TEXT DEFAULT '',
    "ITEM72" TEXT DEFAULT '',
    "ITEM73" TEXT DEFAULT '',
    "ITEM74" TEXT DEFAULT '',
    "ITEM75" TEXT DEFAULT '',
    "ITEM76" TEXT DEFAULT '',
    "ITEM77" TEXT DEFAULT '',
    "ITEM78" TEXT DEFAULT '',
    "ITEM79" TEXT DEFAULT '',
    "ITEM80" TEXT DEFAULT '',
    "ITEM81" TEXT DEFAULT '',
    "ITEM82" TEXT DEFAULT '',
    "ITEM83" TEXT DEFAULT '',
    "ITEM84" TEXT DEFAULT '',
    "ITEM85" TEXT DEFAULT '',
    "ITEM86" TEXT DEFAULT '',
    "ITEM87" TEXT DEFAULT ''
);
CREATE TABLE "SYSTEM1" (
    "發票開立方式" TEXT DEFAULT '',
    "發票平台路徑" TEXT DEFAULT '',
    "ITEM87"       TEXT DEFAULT '',
    "ITEM88"       TEXT DEFAULT '',
    "ITEM89"       TEXT DEFAULT '',
    "ITEM102"      TEXT DEFAULT '',
    "ITEM110"      TEXT DEFAULT '',
    "ITEM119"      TEXT DEFAULT '',
    "ITEM120"      TEXT DEFAULT ''
);
CREATE TABLE "使用者資料" (
    "使用者"       TEXT NOT NULL DEFAULT '',
    "管理者"       TEXT DEFAULT '',
    "估價審單金額" REAL DEFAULT 0,
    "採購審單金額" REAL DEFAULT 0,
    "工單作業權限" TEXT DEFAULT '',
    "生產管理權限" TEXT DEFAULT '',
    "成本分析權限" TEXT DEFAULT '',
    "基本資料權限" TEXT DEFAULT '',
    "應收帳款權限" TEXT DEFAULT '',
    "應付帳款權限" TEXT DEFAULT '',
    "物料管理權限" TEXT DEFAULT '',
    "產品管理權限" TEXT DEFAULT '',
    "印刷作業權限" TEXT DEFAULT '',
    "製版作業權限" TEXT DEFAULT '',
    "發票權限"     TEXT DEFAULT '',
    "其它權限"     TEXT DEFAULT '',
    "報價權限"     TEXT DEFAULT '',
    "維護權限"     TEXT DEFAULT '',
    "會計權限"     TEXT DEFAULT '',
    "績效權限"     TEXT DEFAULT '',
    "稽核權限"     TEXT DEFAULT '',
    "速算權限"     TEXT DEFAULT '',
    "運送權限"     TEXT DEFAULT '',
    "授信額度權限" TEXT DEFAULT '',
    "產能權限"     TEXT DEFAULT '',
    "CRM權限"      TEXT DEFAULT '',
    "網印權限"     TEXT DEFAULT '',
    "代收權限"     TEXT DEFAULT '',
    "雜支權限"     TEXT DEFAULT '',
    "刀模權限"     TEXT DEFAULT '',
    "標籤權限"     TEXT DEFAULT '',
    "公告權限"     TEXT DEFAULT '',
    "寄庫權限"     TEXT DEFAULT '',
    "捲筒權限"     TEXT DEFAULT '',
    "接稿權限"     TEXT DEFAULT ''
);
CREATE INDEX "ix_使用者資料_使用者" ON "使用者資料" ("使用者");
CREATE TABLE "使用者資料明細" (
    "使用者"       TEXT NOT NULL DEFAULT '',
    "工單作業細部" TEXT DEFAULT '',
    "生產管理細部" TEXT DEFAULT '',
    "成本分析細部" TEXT DEFAULT '',
    "基本資料細部" TEXT DEFAULT '',
    "應收帳款細部" TEXT DEFAULT '',
    "應付帳款細部" TEXT DEFAULT '',
    "物料管理細部" TEXT DEFAULT '',
    "產品管理細部" TEXT DEFAULT '',
    "印刷作業細部" TEXT DEFAULT '',
    "製版作業細部" TEXT DEFAULT '',
    "發票細部"     TEXT DEFAULT '',
    "其它細部"     TEXT DEFAULT '',
    "報價細部"     TEXT DEFAULT '',
    "維護細部"     TEXT DEFAULT '',
    "會計細部"     TEXT DEFAULT '',
    "績效細部"     TEXT DEFAULT '',
    "稽核細部"     TEXT DEFAULT '',
    "速算細部"     TEXT DEFAULT '',
    "運送細部"     TEXT DEFAULT '',
    "產能細部"     TEXT DEFAULT '',
    "CRM細部"      TEXT DEFAULT '',
    "網印細部"     TEXT DEFAULT '',
    "代收細部"     TEXT DEFAULT '',
    "雜支細部"     TEXT DEFAULT '',
    "刀模細部"     TEXT DEFAULT '',
    "標籤細部"     TEXT DEFAULT '',
    "公告細部"     TEXT DEFAULT '',
    "寄庫細部"     TEXT DEFAULT '',
    "捲筒細部"     TEXT DEFAULT '',
    "接稿細部"     TEXT DEFAULT ''
);
CREATE INDEX "ix_使用者資料明細_使用者" ON "使用者資料明細" ("使用者");
CREATE TABLE "SYSOS" (
    "VM"     TEXT DEFAULT '',
    "XP"     TEXT DEFAULT '',
    "WIN7"   TEXT DEFAULT '',
    "WIN7C"  TEXT DEFAULT '',
    "WIN8"   TEXT DEFAULT '',
    "WIN8C"  TEXT DEFAULT '',
    "WIN10"  TEXT DEFAULT '',
    "WIN10C" TEXT DEFAULT '',
    "WIN11"  TEXT DEFAULT '',
    "WIN11C" TEXT DEFAULT ''
);
CREATE TABLE "啟用發送EAMIL" (
    "啟用發送EAMIL" TEXT DEFAULT ''
);
CREATE TABLE "SYSLOAD" (
    "ID"       TEXT NOT NULL DEFAULT '',
    "COMPUTER" TEXT NOT NULL DEFAULT '',
    "EXCEL"    TEXT DEFAULT ''
);
CREATE INDEX "ix_SYSLOAD_ID_COMPUTER" ON "SYSLOAD" ("ID", "COMPUTER");
CREATE TABLE "EMPLOYEE" (
    "ID"           TEXT NOT NULL DEFAULT '',
    "NAME"         TEXT DEFAULT '',
    "部門"         TEXT NOT NULL DEFAULT '',
    "ODATE"        TEXT DEFAULT '',
    "分機代號"     TEXT DEFAULT '',
    "工務人員代號" TEXT DEFAULT '',
    "工務人員"     TEXT DEFAULT '',
    "GROUP"        TEXT DEFAULT '',
    "GROUP1"       TEXT DEFAULT '',
    "GROUP2"       TEXT DEFAULT '',
    "GROUP3"       TEXT DEFAULT '',
    "GROUP4"       TEXT DEFAULT '',
    "GROUP5"       TEXT DEFAULT '',
    "GROUP6"       TEXT DEFAULT '',
    "GROUP7"       TEXT DEFAULT '',
    "GROUP8"       TEXT DEFAULT '',
    "GROUP9"       TEXT DEFAULT '',
    "GROUP10"      TEXT DEFAULT '',
    "GROUP11"      TEXT DEFAULT '',
    "GROUP12"      TEXT DEFAULT '',
    "GROUP13"      TEXT DEFAULT '',
    "GROUP14"      TEXT DEFAULT '',
    "GROUP15"      TEXT DEFAULT '',
    "GROUP16"      TEXT DEFAULT '',
    "GROUP17"      TEXT DEFAULT '',
    "GROUP18"      TEXT DEFAULT '',
    "GROUP19"      TEXT DEFAULT ''
);
CREATE INDEX "ix_EMPLOYEE_ID" ON "EMPLOYEE" ("ID");
CREATE INDEX "ix_EMPLOYEE_NAME" ON "EMPLOYEE" ("NAME");

-- Maintenance lock and the register of running programs.
CREATE TABLE "SYSLOCK" (
    "USER" TEXT
);
CREATE TABLE "SYSUSER1" (
    "ID"   TEXT NOT NULL DEFAULT '',
    "FUNC" TEXT NOT NULL DEFAULT '',
    "LPID" REAL DEFAULT 0
);
CREATE INDEX "ix_SYSUSER1_ID_FUNC" ON "SYSUSER1" ("ID", "FUNC");

-- Phrases and choice lists; presses are KIND Z-雜項, ITEM 機別.
CREATE TABLE "PHRASE" (
    "KIND" TEXT NOT NULL DEFAULT '',
    "ITEM" TEXT NOT NULL DEFAULT '',
    "ID"   TEXT NOT NULL DEFAULT '',
    "DESC" TEXT DEFAULT '',
    "REM"  TEXT DEFAULT ''
);
CREATE INDEX "ix_PHRASE_KIND_ITEM_ID" ON "PHRASE" ("KIND", "ITEM", "ID");

-- Printing schedule and the work orders it belongs to.
CREATE TABLE "印刷預排" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "ID"    TEXT NOT NULL DEFAULT '',
    "FDATE" TEXT NOT NULL DEFAULT '',
    "PDATE" TEXT NOT NULL DEFAULT ''
);
CREATE INDEX "ix_印刷預排_PO_NO_ID" ON "印刷預排" ("PO", "NO", "ID");
CREATE TABLE "PRINTING_S" (
    "PO"     TEXT NOT NULL DEFAULT '',
    "NO"     INTEGER NOT NULL DEFAULT 0,
    "DESC"   TEXT DEFAULT '',
    "COLOR1" REAL DEFAULT 0,
    "COLOR2" REAL DEFAULT 0,
    "COUNT"  REAL DEFAULT 0,
    "MEMB"   REAL DEFAULT 0,
    "PLAT"   REAL DEFAULT 0,
    "SIZE"   TEXT DEFAULT '',
    "QTY"    TEXT DEFAULT '',
    "QTY1"   REAL DEFAULT 0,
    "QTY2"   REAL DEFAULT 0,
    "順序"   TEXT NOT NULL DEFAULT '',
    "車別"   TEXT NOT NULL DEFAULT '',
    "ODATE"  TEXT NOT NULL DEFAULT '',
    "FDATE"  TEXT NOT NULL DEFAULT '',
    "ACT"    TEXT NOT NULL DEFAULT '',
    "REM"    TEXT DEFAULT '',
    "ID"     TEXT NOT NULL DEFAULT '',
    "INO"    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "ix_PRINTING_S_PO_NO_ID_INO" ON "PRINTING_S" ("PO", "NO", "ID", "INO");
CREATE INDEX "ix_PRINTING_S_車別" ON "PRINTING_S" ("車別");
-- The open lines of a press (FDATE = '') are where the schedule query starts.
CREATE INDEX "ix_PRINTING_S_FDATE_車別" ON "PRINTING_S" ("FDATE", "車別");
CREATE TABLE "PWORK" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "CUST"  TEXT DEFAULT '',
    "DESC"  TEXT DEFAULT '',
    "FDATE" TEXT DEFAULT '',
    "PREM"  TEXT DEFAULT '',
    "急件"  TEXT DEFAULT ''
);
CREATE INDEX "ix_PWORK_PO" ON "PWORK" ("PO");
CREATE TABLE "CUST" (
    "ID"    TEXT NOT NULL DEFAULT '',
    "SNAME" TEXT DEFAULT ''
);
CREATE INDEX "ix_CUST_ID" ON "CUST" ("ID");
CREATE TABLE "ITEM_P" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "ITEM7" TEXT DEFAULT ''
);
CREATE INDEX "ix_ITEM_P_PO" ON "ITEM_P" ("PO");

-- Production tables that receive the completion stamps.
CREATE TABLE "PRINTING" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "ODATE" TEXT NOT NULL DEFAULT '',
    "FDATE" TEXT NOT NULL DEFAULT '',
    "ACT"   TEXT NOT NULL DEFAULT '',
    "EAMT"  REAL NOT NULL DEFAULT 0
);
CREATE INDEX "ix_PRINTING_PO_NO" ON "PRINTING" ("PO", "NO");
CREATE TABLE "VENDERAC" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "KIND"  TEXT NOT NULL DEFAULT '',
    "ODATE" TEXT NOT NULL DEFAULT '',
    "EAMT"  REAL NOT NULL DEFAULT 0
);
CREATE INDEX "ix_VENDERAC_PO_NO" ON "VENDERAC" ("PO", "NO");
CREATE TABLE "預排資料明細" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "ODATE" TEXT NOT NULL DEFAULT '',
    "FDATE" TEXT NOT NULL DEFAULT '',
    "ACT"   TEXT NOT NULL DEFAULT '',
    "EAMT"  REAL NOT NULL DEFAULT 0,
    "KIND"  TEXT NOT NULL DEFAULT '',
    "ID"    TEXT NOT NULL DEFAULT '',
    "INO"   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "ix_預排資料明細_PO_NO_ID_INO" ON "預排資料明細" ("PO", "NO", "ID", "INO");

-- Press runs of a job line; select * returns these columns in this order.
CREATE TABLE "預排資料耗時明細1" (
    "開始"     TEXT NOT NULL DEFAULT '',
    "結束"     TEXT NOT NULL DEFAULT '',
    "正色"     TEXT DEFAULT '',
    "反色"     TEXT DEFAULT '',
    "台"       TEXT DEFAULT '',
    "版數"     TEXT DEFAULT '',
    "看印"     TEXT NOT NULL DEFAULT '',
    "特滿"     TEXT DEFAULT '',
    "用墨量"   TEXT DEFAULT '',
    "完工數量" REAL DEFAULT 0,
    "機別"     TEXT NOT NULL DEFAULT '',
    "經辦代號" TEXT DEFAULT '',
    "經辦人員" TEXT DEFAULT '',
    "耗時"     REAL DEFAULT 0,
    "有效耗時" REAL DEFAULT 0,
    "製作說明" TEXT DEFAULT '',
    "標準數量" REAL DEFAULT 0,
    "點數"     REAL DEFAULT 0,
    "工單單號" TEXT NOT NULL DEFAULT '',
    "工單序"   REAL NOT NULL DEFAULT 0,
    "序"       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX "ix_預排資料耗時明細1_機別_工單單號_工單序" ON "預排資料耗時明細1" ("機別", "工單單號", "工單序");
-- Time consumed so far per job line and press: the sum of its runs, always
-- as stored. Other programs of the suite read it by this name and these columns.
CREATE VIEW "預排耗時_印刷" ("工單單號", "工單序", "機別", "耗時") AS
    SELECT "工單單號", "工單序", "機別", SUM("耗時")
    FROM "預排資料耗時明細1"
    GROUP BY "機別", "工單單號", "工單序";
CREATE TABLE "印刷產能資料" (
    "機別"     TEXT NOT NULL DEFAULT '',
    "每版耗時" REAL DEFAULT 0,
    "看印耗時" REAL DEFAULT 0,
    "特滿耗時" REAL DEFAULT 0,
    "洗車耗時" REAL DEFAULT 0
);
CREATE INDEX "ix_印刷產能資料_機別" ON "印刷產能資料" ("機別");

-- Vendors.
CREATE TABLE "VENDER" (
    "ID"       TEXT NOT NULL DEFAULT '',
    "SNAME"    TEXT DEFAULT '',
    "RATE"     REAL DEFAULT 0,
    "TEL1"     TEXT DEFAULT '',
    "NAM2"     TEXT DEFAULT '',
    "FAX"      TEXT DEFAULT '',
    "MEMO"     TEXT DEFAULT '',
    "ADD1"     TEXT DEFAULT '',
    "付款方式" TEXT DEFAULT '',
    "ITEM1"    TEXT DEFAULT '',
    "ITEM2"    TEXT DEFAULT '',
    "ITEM3"    TEXT DEFAULT '',
    "ITEM4"    TEXT DEFAULT '',
    "ITEM5"    TEXT DEFAULT '',
    "ITEM6"    TEXT DEFAULT '',
    "ITEM7"    TEXT DEFAULT '',
    "ITEM8"    TEXT DEFAULT '',
    "ITEM9"    TEXT DEFAULT '',
    "ITEM10"   TEXT DEFAULT '',
    "ITEM11"   TEXT DEFAULT '',
    "ITEM12"   TEXT DEFAULT '',
    "ITEM13"   TEXT DEFAULT '',
    "ITEM14"   TEXT DEFAULT '',
    "製作"     REAL DEFAULT 0,
    "停用"     TEXT DEFAULT ''
);
CREATE INDEX "ix_VENDER_ID" ON "VENDER" ("ID");

-- Printed schedule: filled by the scheduling programs, read by the report.
CREATE TABLE "印刷預排表1" (
    "車別"     TEXT NOT NULL DEFAULT '',
    "PO"       TEXT NOT NULL DEFAULT '',
    "NO"       INTEGER NOT NULL DEFAULT 0,
    "DESC1"    TEXT DEFAULT '',
    "DESC"     TEXT DEFAULT '',
    "SNAME"    TEXT DEFAULT '',
    "COLOR1"   REAL DEFAULT 0,
    "COLOR2"   REAL DEFAULT 0,
    "MEMB"     REAL DEFAULT 0,
    "PLAT"     REAL DEFAULT 0,
    "SIZE"     TEXT DEFAULT '',
    "QTY"      TEXT DEFAULT '',
    "ODATE"    TEXT NOT NULL DEFAULT '',
    "FDATE"    TEXT NOT NULL DEFAULT '',
    "PREM"     TEXT DEFAULT '',
    "規格"     TEXT DEFAULT '',
    "紙品"     TEXT DEFAULT '',
    "下游廠商" TEXT DEFAULT '',
    "CODE"     TEXT DEFAULT '',
    "ITEM1"    TEXT DEFAULT '',
    "ITEM4"    TEXT DEFAULT '',
    "ITEM7"    TEXT DEFAULT ''
);
CREATE INDEX "ix_印刷預排表1_車別_PO_NO" ON "印刷預排表1" ("車別", "PO", "NO");
CREATE TABLE "PAPER" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "SPEC"  TEXT DEFAULT '',
    "ITEM"  TEXT DEFAULT '',
    "FDATE" TEXT NOT NULL DEFAULT ''
);
CREATE INDEX "ix_PAPER_PO_NO" ON "PAPER" ("PO", "NO");
CREATE TABLE "PLATE" (
    "PO"    TEXT NOT NULL DEFAULT '',
    "NO"    INTEGER NOT NULL DEFAULT 0,
    "FDATE" TEXT NOT NULL DEFAULT ''
);
CREATE INDEX "ix_PLATE_PO_NO" ON "PLATE" ("PO", "NO");
