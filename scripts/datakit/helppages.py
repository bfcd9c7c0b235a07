"""The help pages: the page sources of resources/help wrapped in one frame (title, style sheet, links
to the contents and to the pages before and after), the credits page filled with the text of
data/CREDITS, and the pictures the pages show, made from pictures of the data folder."""
import html
import os
import re
import shutil

from . import bmp, image, png, sources

SOURCE = os.path.join(sources.ROOT, 'resources', 'help')

# Pictures of the pages: name in the help folder -> the data folder's picture it is made from.
PICTURES = {'m42.png': 'm42.bmp', 'moon.png': 'moon.bmp'}

FRAME = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>NightvaneGl help: {title}</title>
<link rel="stylesheet" href="style.css">
</head>
<body>
<nav>{nav}</nav>
{body}
<nav class="bottom">{nav}</nav>
</body>
</html>
"""


def page_order():
    with open(os.path.join(SOURCE, 'pages.txt'), encoding='utf-8') as f:
        return [line.strip() for line in f if line.strip() and not line.startswith('#')]


def title_of(body, name):
    m = re.search(r'<h1[^>]*>(.*?)</h1>', body, re.S)
    if not m:
        raise ValueError('%s: the page has no <h1> title' % name)
    return re.sub(r'<[^>]+>', '', m.group(1)).strip()


def navigation(order, titles, i):
    links = ['<a href="index.htm">Contents</a>']
    if i > 0:
        links.append('Previous: <a href="%s">%s</a>' % (order[i - 1], titles[order[i - 1]]))
    if i + 1 < len(order):
        links.append('Next: <a href="%s">%s</a>' % (order[i + 1], titles[order[i + 1]]))
    return ' | '.join(links)


def write_picture(name, data_dir, out):
    w, h, rgb = bmp.read_bmp(os.path.join(data_dir, PICTURES[name]))
    while w > 512:
        w, h, rgb = image.halve(w, h, rgb)
    png.encode(os.path.join(out, name), w, h, rgb)


def build(data_dir, credits_text):
    """Writes data_dir/help from the sources; `credits_text` is the content of data/CREDITS."""
    out = os.path.join(data_dir, 'help')
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    order = page_order()
    bodies = {}
    for name in order:
        with open(os.path.join(SOURCE, name), encoding='utf-8') as f:
            bodies[name] = f.read()
    titles = {name: title_of(body, name) for name, body in bodies.items()}
    credits_block = '<pre>%s</pre>' % html.escape(credits_text)
    for i, name in enumerate(order):
        body = bodies[name].replace('<!-- CREDITS -->', credits_block).rstrip('\n')
        text = FRAME.format(title=html.escape(titles[name]), nav=navigation(order, titles, i), body=body)
        with open(os.path.join(out, name), 'w', encoding='utf-8', newline='\n') as f:
            f.write(text)
    shutil.copyfile(os.path.join(SOURCE, 'style.css'), os.path.join(out, 'style.css'))
    for name in PICTURES:
        write_picture(name, data_dir, out)
    return len(order)
