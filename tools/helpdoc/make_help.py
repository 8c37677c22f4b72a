# Writes the help document resources/program/MarlinexHelp.doc (RTF content under the .doc name the viewer opens).
# Run from resources/program: python3 ../../tools/helpdoc/make_help.py
def esc(s):
    out = []
    for ch in s:
        o = ord(ch)
        if ch in '\\{}':
            out.append('\\' + ch)
        elif o < 128:
            out.append(ch)
        else:
            if o > 0xFFFF:
                o -= 0x10000
                for u in (0xD800 + (o >> 10), 0xDC00 + (o & 0x3FF)):
                    out.append('\\u%d?' % (u - 65536 if u > 32767 else u))
            else:
                out.append('\\u%d?' % (o - 65536 if o > 32767 else o))
    return ''.join(out)

doc = []
def title(t): doc.append(r'{\pard\sb240\sa120\qc\b\fs40 %s\par}' % esc(t))
def h1(t): doc.append(r'{\pard\sb240\sa80\b\fs30 %s\par}' % esc(t))
def h2(t): doc.append(r'{\pard\sb160\sa60\b\fs24 %s\par}' % esc(t))
def p(t): doc.append(r'{\pard\sa80\fs21 %s\par}' % esc(t))
def li(t): doc.append(r'{\pard\fi-240\li480\sa40\fs21 \bullet\tab %s\par}' % esc(t))
def page(): doc.append(r'\page')

title('Marlinex 推土机电子零件目录 使用说明')
p('本说明介绍 Marlinex 的各项功能：图册库、目录树、图纸与热点、缩放、购物箱、导出、查询、价格导入和环境设置。')
h1('1  启动')
p('程序启动时显示欢迎画面，约七秒后（或单击画面任意处）打开主窗口。主窗口左侧上方是图册库（零件目录系列），下方是当前图册的目录树；右侧上方是图纸，下方是零件明细表。')
h1('2  图册库')
p('图册库列出数据文件夹中的全部图册，按系列分组。数据文件夹在"工具 → 环境设置"（F9）中设定。新复制进数据文件夹的图册，用"文件 → 刷新"（Ctrl+R）或工具栏的刷新按钮即可显示。')
p('单击一本图册即打开它：目录树显示该图册的章节和图纸，右侧显示图册封面。')
h1('3  目录树与图纸')
p('在目录树中单击一张图纸，右侧即显示该图纸的爆炸图，并在零件明细表中列出图中全部零件：序号、图号、名称、数量、单重、价格等，表尾给出合计。')
p('图中每个零件序号上有一个热点。单击热点，明细表中对应的行被选中；单击明细表中的一行，图中对应的热点被标出。')
h1('4  缩放')
li('放大（F5）、缩小（F6）：每次改变十分之一。')
li('最适大小（F7）：图纸适合显示区域的大小。')
li('实际大小（F8）：图纸按原始像素大小显示。')
li('工具栏的放大、缩小按钮带有下拉列表，可直接选择 100%、110%……200% 等比例。')
li('工具栏的"放大模式""缩小模式"按钮把鼠标变为缩放工具：在图上单击即放大或缩小；单击右键回到正常模式。')
h1('5  购物箱')
p('在明细表中双击一个零件，或右键单击后选择"订购"，即把该零件加入购物箱；已在购物箱中的零件，再次订购时数量加一。已订购的行在明细表中有购物箱图标。右键菜单的"将图号发送到粘贴板"把零件图号复制到剪贴板。')
p('"编辑 → 购物箱编辑"（Ctrl+O）打开购物箱：可以勾选、全部选择、取消选择、删除所选部件，右键单击一行可修改数量或删除该部件。窗口下方显示金额合计。')
h1('6  导出订单')
p('在购物箱中单击"导  出"，可选择：')
li('导出订单为txt格式：以逗号分隔的文本文件，可用任何表格或文字处理程序打开。')
li('导出订单为Excel格式：生成一个电子表格工作簿，并用本机关联的表格程序打开。')
h1('7  查询')
p('"编辑 → 查询"（Ctrl+F）或工具栏的查询按钮打开查询窗口。输入零件图号或零件名称（或两者），选择是否"精确查找"，单击"查  询"。程序在全部图册中查找，结果列出图号、名称、所属机型和所在图册。双击一条结果即打开该图册和图纸，并标出该零件。')
h1('8  价格导入')
p('"编辑 → 价格导入"（Ctrl+I）把电子表格中的单价写入全部图册。表格（.xls 或 .xlsx）须有名为 sheet1 的工作表，第一行为列名，其中须有"部件图号"和"价格"两列。导入时显示进度，完成后给出提示。导入只改变价格，不改变图册的其他内容。')
h1('9  环境设置')
p('"工具 → 环境设置"（F9）中可以设定：')
li('浏览器数据存放位置：图册所在的数据文件夹，可直接输入或单击"..."选择。')
li('语言：简体中文或 English。')
p('保存后程序按新的设置重新启动主窗口。')
h1('10  帮助')
p('"帮助 → 帮助文件"（Ctrl+H）打开本说明；"关于此软件"（Ctrl+A）显示版本和授权信息；"关于产品支持"（Ctrl+T）显示技术支持的联系方式。')
page()
title('Marlinex Electronic Spare-Parts Catalogue - User Guide')
p('This guide describes what Marlinex does: the library tree, the book tree, drawings and hotspots, zoom, the order basket, export, search, price import and the options.')
h1('1  Starting')
p('Marlinex opens with a start picture; after about seven seconds, or at a click anywhere on it, the main window opens. On its left are the library tree (Kinds List) above and the book tree of the open catalogue below; on its right the drawing above and the part list below.')
h1('2  Library tree')
p('The library tree lists every catalogue of the data folder, grouped in series. The data folder is set under Tools - Option (F9). Catalogues copied into the data folder appear after File - Open (Ctrl+R) or the toolbar\'s Refresh button.')
p('Click a catalogue to open it: the book tree shows its chapters and drawings, and its cover picture is shown on the right.')
h1('3  Book tree and drawings')
p('Click a drawing in the book tree: its exploded view is shown, and the part list lists every part of it with number, part number, description, quantity, weight and price, with totals below.')
p('Each callout of the drawing carries a hotspot. Click a hotspot and its row of the part list is selected; click a row and its hotspot is marked on the drawing.')
h1('4  Zoom')
li('Zoom Out (F5) and Zoom In (F6) change the size by a tenth each time.')
li('Fit Size (F7) fits the drawing to the drawing area.')
li('Full Size (F8) shows the drawing at its natural size.')
li('The toolbar\'s zoom buttons have drop-down lists of ready percentages, 100% to 200%.')
li('The toolbar\'s zoom tools turn the mouse into a magnifier: click the drawing to enlarge or reduce it; the right button returns to the normal tool.')
h1('5  Order basket')
p('Double-click a part in the part list, or right-click it and choose Order, to put it into the basket; ordering it again raises its quantity by one. Rows in the basket carry a basket icon. Copy Part NO. in the same menu copies the part number to the clipboard.')
p('Edit - Order Manger (Ctrl+O) opens the basket: tick rows, Select All, Select Cancel, Delete All (the ticked rows); right-click a row to edit its quantity or delete it. The total amount is shown below the list.')
h1('6  Export')
p('Click Export ... in the basket window and choose:')
li('Export to Txt: a comma-separated text file that any spreadsheet or word processor opens.')
li('Export to Excel: a spreadsheet workbook, opened with the desktop\'s spreadsheet program.')
h1('7  Search')
p('Edit - Query (Ctrl+F) or the toolbar\'s search button opens the search. Type a part number, a description or both, choose Full matching if wanted, and click Query. Every catalogue is searched; each hit shows its part number, description, machine type and catalogue. Double-click a hit to open its catalogue and drawing with the part marked.')
h1('8  Price import')
p('Edit - Import Price (Ctrl+I) writes unit prices from a spreadsheet (.xls or .xlsx) into every catalogue. The spreadsheet needs a worksheet named sheet1 whose first row holds the column names, among them "部件图号" (part drawing number) and "价格" (price). A progress bar shows the work; a message tells when it is done. Only prices change.')
h1('9  Options')
p('Tools - Option (F9) sets:')
li('Location Of the data saved: the data folder of the catalogues; type it or choose it with "...".')
li('Language: Chinese or English.')
p('After saving, Marlinex restarts its main window with the new settings.')
h1('10  Help')
p('Help - Help (Ctrl+H) opens this guide; About SoftWare (Ctrl+A) shows the version and licence; About Product (Ctrl+T) shows how to reach product support.')

rtf = (r'{\rtf1\ansi\ansicpg936\deff0\uc1'
       r'{\fonttbl{\f0\fswiss\fcharset134 Noto Sans CJK SC;}}'
       r'{\info{\title Marlinex Help}{\author Marlinex}}'
       r'\paperw11906\paperh16838\margl1440\margr1440\margt1440\margb1440' '\n'
       + '\n'.join(doc) + '\n}\n')
open('MarlinexHelp.doc', 'w', encoding='ascii').write(rtf)
