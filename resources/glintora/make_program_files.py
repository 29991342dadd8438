#!/usr/bin/env python3
"""Writes the picture collector's part of the default program folder (programfolder/exec/gt).

The texts below are the sources; the program reads GBK, and three files are stored enciphered
with the repeating-key XOR that the program's keyed file reader undoes. Run it after changing a
text here; its output is committed.
"""
import pathlib
import shutil

ROOT = pathlib.Path(__file__).resolve().parents[2]
FOLDER = ROOT / "programfolder" / "exec" / "gt"
SCRIPT_KEY = b"plokmn847"
CLASS_KEY = b"583107zxbbw921446"


def gbk(text):
    return text.replace("\n", "\r\n").encode("gb18030")


def enciphered(data, key):
    return bytes(b ^ key[i % len(key)] for i, b in enumerate(data))


def write(relative, data):
    path = FOLDER / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


# The picture-information script: @img_url is a picture link of the search service, whose "u"
# query field holds the picture's own address; @img_name is the keyword it was found with.
IMAGE_INFO = """// 图片信息: 从搜索链接中取出图片地址, 读取图片说明页, 记入数据库并生成信息页.
%formatstring [getcurrypath] @folder
%rightstring @picture @img_url [&u=] [2]
%leftstring @picture @picture [&] [0]
%getremotefile @detail @img_url
%Set @source []
%html [get_img] @img_url @detail @none @source
%Set @caption []
%getremotefile @about @img_url
%rightstring @caption @about [<title>] [2]
%leftstring @caption @caption [</title>] [2]
%formatstring [del_html_flag] @caption
// 写入网页的文字须转义, 写入 SQL 的文字须把单引号写双.
%Set @title @img_name
%replace @title [&] [&amp;]
%replace @title [<] [&lt;]
%replace @title [>] [&gt;]
%replace @title ["] [&quot;]
%Set @shown @picture
%replace @shown [&] [&amp;]
%replace @shown ["] [&quot;]
%replace @shown [<] [&lt;]
%replace @caption [&] [&amp;]
%replace @caption [<] [&lt;]
%Set @sqlname @img_name
%replace @sqlname ['] ['']
%Set @sqlpicture @picture
%replace @sqlpicture ['] ['']
%Set @sqlsource @source
%replace @sqlsource ['] ['']
%Set @sqlcaption @caption
%replace @sqlcaption ['] ['']
%Link @db [Data Source=] @folder [data\\pictures.db]
%database [open] @db
%database [exec] [create table if not exists pictures (keyword text, url text, source text, caption text)]
%Link @sql [insert into pictures (keyword, url, source, caption) values ('] @sqlname [', '] @sqlpicture [', '] @sqlsource [', '] @sqlcaption [')]
%database [exec] @sql
%database [record] [1] @count [select count(*) from pictures]
%Link @page [<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312"><title>] @title [</title></head><body><h3>] @title [</h3><p class=caption>] @caption [</p><img src="] @shown ["><p>图片地址: <span class=url>] @shown [</span></p><p>已收集图片: <span class=count>] @count [</span></p></body></html>]
%Link @path @folder [html\\info.htm]
%savefile @path @page
%html [navigate] @path
%exit
"""

# The URL-list script: @img_url is any page; every picture of it is recorded and listed, every
# link of it is listed to be collected in turn.
URL_LIST = """// 网页图片与链接: 取出网页中的全部图片与链接, 记入数据库, 生成列表页.
%formatstring [getcurrypath] @folder
%getremotefile @html @img_url
%Set @links @html
%Set @title @img_name
%replace @title [&] [&amp;]
%replace @title [<] [&lt;]
%replace @title ["] [&quot;]
%Set @sqlpage @img_url
%replace @sqlpage ['] ['']
%Link @db [Data Source=] @folder [data\\pictures.db]
%database [open] @db
%database [exec] [create table if not exists pages (page text, picture text)]
%Set @pictures []
%Set @count [0]
%lable [next_picture]
%Set @source []
%html [get_img] @img_url @html @none @source
%Test [length] @source [=] [0] [pictures_done]
%int @count @count [+] [1]
%Set @sqlsource @source
%replace @sqlsource ['] ['']
%Link @sql [insert into pages (page, picture) values ('] @sqlpage [', '] @sqlsource [')]
%database [exec] @sql
%Set @shown @source
%replace @shown [&] [&amp;]
%replace @shown ["] [&quot;]
%replace @shown [<] [&lt;]
%Link @pictures @pictures [<div class=picture onclick="play(this)" url="] @shown [|||||] @title ["><img src="] @shown [" height=80></div>]
%goto [next_picture]
%lable [pictures_done]
%Set @list []
%lable [next_link]
%Set @link []
%html [get_a] @img_url @links @text @link
%Test [length] @link [=] [0] [links_done]
%formatstring [del_html_flag] @text
%replace @text [&] [&amp;]
%replace @text [<] [&lt;]
%replace @link [&] [&amp;]
%replace @link ["] [&quot;]
%replace @link [<] [&lt;]
%Link @list @list [<div class=link onclick="collect(this)" url="] @link [|||||] @title [">] @text [</div>]
%goto [next_link]
%lable [links_done]
%Link @page [<html><head><meta http-equiv="Content-Type" content="text/html; charset=gb2312"><title>] @title [</title><script>function play(o){window.status='';window.status='qrplay:1:'+o.url;window.status='';} function collect(o){window.status='';window.status='qrplay:5:'+o.url;window.status='';}</script></head><body><p>图片 <span class=count>] @count [</span> 张</p>] @pictures [<hr>] @list [</body></html>]
%Link @path @folder [html\\list.htm]
%savefile @path @page
%html [navigate] @path
%exit
"""

CLASS_LIST = """[NAME]
动物
[LIST]
[K]猫
[K]狗
[K]熊猫
[NAME]
风景
[LIST]
[K]山水
[K]海边
[U]http://image.baidu.com/
"""

FAVORITES = """[K]猫
[K]风景
"""

# The extraction template: the markers that take pictures, page links and media objects out of a
# page, and the hosts of the picture search service.
SECTIONS = """// 图片收集的提取模板: 代码段个数, 数据项个数, 然后是各段.
1
35
[CODE_BEGIN] MAIN
2
image
page
[CODE_END]
[DATA_BEGIN]
.image_search_host 0 image.baidu.com
.web_search_host 0 www.baidu.com
.posturl 0 http://image.baidu.com/i
.posturl2 0 http://image.baidu.com/i?z=
.必需图片标志 0 .jpg
.必不需图片标志 0 logo
.音乐地址 0 http://mp3.baidu.com/m?word=
.音乐地址2 0 http://mp3.baidu.com/m?tn=
.table_end 0 </table>
.tr_begin 0 <tr
.tr_end 0 </tr>
.td_begin 0 <td
.td_end 0 </td>
.a_begin 0 <a
.a_http_begin 0 href="
.a_http_end 0 "
.a_end1 0 >
.a_end2 0 </a>
.page_begin 0 <div id=page>
.page_end 0 </div>
.MP_OBJECT 101 3c6f626a656374
.PageABegin 0 <a href=
.PageAEnd 0 </a>
.PageAUrlBegin 0 href=
.PageAUrlEnd 0 >
.PageANameBegin 0 >
.PageANameEnd 0 </a>
.ImageABegin 0 <a href="http://image.baidu.com/i?ct
.ImageAEnd 0 </a>
.ImageAUrlBegin 0 href="
.ImageAUrlEnd 0 "
.ImageANameBegin 0 >
.ImageANameEnd 0 </a>
[DATA_END]
"""

STYLE = """<style>
body { margin: 12px; font-family: 宋体; font-size: 12px; background: #F4F8FE; }
h1 { font-family: 宋体; font-size: 18px; color: #1F4F96; }
a, .word { color: #1F4F96; cursor: hand; }
</style>"""

COMMANDS = """<script>
function send(command) { window.status = ''; window.status = command; window.status = ''; }
function search(word) { send('qrplay:6:|||||' + word); }
function keep(word) { send('qrplay:2:' + word); }
</script>"""

MAIN_PAGE = f"""<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>欢迎使用Glintora图片收集</title>
{STYLE}
{COMMANDS}
</head>
<body>
<h1>Glintora 图片收集</h1>
<p>在上方的"图片关键字"框中输入关键字并按回车, 即可搜索图片; 在"网页地址"框中输入网址, 即可收集该网页中的图片与链接.</p>
<p>热门关键字:
<span class=word onclick="search('风景')">风景</span>
<span class=word onclick="search('猫')">猫</span>
<span class=word onclick="search('汽车')">汽车</span>
<span class=word onclick="keep('风景')">[收藏"风景"]</span>
</p>
<!--
The program reads the blocks below at start-up: the search engines beside the address box, and
after MAIN_PAGE_END the address pattern in which GO wraps a single word (%s stands for it).
SEARCH_INFO_BEGIN
百度网页 http://www.baidu.com/s?word=%s
百度图片 http://image.baidu.com/i?tn=baiduimage&word=%s
GOOGLE网页 http://www.google.com/search?hl=zh-CN&q=%s
GOOGLE图片 http://images.google.com/images?hl=zh-CN&q=%s
SEARCH_INFO_END
MAIN_PAGE_END
http://www.baidu.com/s?word=%s
-->
</body>
</html>
"""

LEFT_PAGE = f"""<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>left</title>
{STYLE}
</head>
<body style="margin: 2px" scroll=no>
提示: 点击列表中的图片可查看图片信息; 收藏栏中单击关键字填入搜索框, 双击即开始搜索.
</body>
</html>
"""

FAVO_PAGE = f"""<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>推荐</title>
{STYLE}
{COMMANDS}
</head>
<body>
<h1>推荐关键字</h1>
<p><span class=word onclick="search('山水')">山水</span>
<span class=word onclick="search('海边')">海边</span>
<span class=word onclick="search('熊猫')">熊猫</span></p>
</body>
</html>
"""

SEARCH_PAGE = f"""<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>搜索</title>
{STYLE}
</head>
<body>
<h1>搜索</h1>
<form action="http://www.baidu.com/s"><input name=word> <input type=submit value="搜索"></form>
</body>
</html>
"""


def main():
    write("html/imageinfo.dat", enciphered(gbk(IMAGE_INFO), SCRIPT_KEY))
    write("html/urllist.dat", enciphered(gbk(URL_LIST), SCRIPT_KEY))
    write("data/list/class.dat", enciphered(gbk(CLASS_LIST), CLASS_KEY))
    write("data/ml2.dat", gbk(FAVORITES))
    write("data/ms.dat", gbk(SECTIONS))
    write("data/main.htm", gbk(MAIN_PAGE))
    write("data/left.htm", gbk(LEFT_PAGE))
    write("data/favo.htm", gbk(FAVO_PAGE))
    write("data/search.htm", gbk(SEARCH_PAGE))
    # The collector wears the browser's skins.
    browser_data = ROOT / "programfolder" / "data"
    write("data/skin.ini", (browser_data / "skin.ini").read_bytes())
    shutil.copytree(browser_data / "skin", FOLDER / "data" / "skin", dirs_exist_ok=True)


if __name__ == "__main__":
    main()
