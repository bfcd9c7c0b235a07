"""Downloads the source packages into a cache folder and unpacks the parts the builder reads."""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CACHE = os.path.join(ROOT, '.cache', 'data-src')

STELLARIUM_DEB = 'stellarium-data'
D3_NPM = 'd3-celestial@0.7.35'

# Paths inside the stellarium-data package that the builder needs.
STELLARIUM_PARTS = [
    './usr/share/stellarium/nebulae/default/*',
    './usr/share/stellarium/stars/default/stars_[012]_0v0_8.cat',
    './usr/share/stellarium/stars/default/stars_hip_sp_0v0_4.cat',
    './usr/share/stellarium/skycultures/western/star_names.fab',
    './usr/share/stellarium/skycultures/western/constellationship.fab',
    './usr/share/stellarium/textures/*',
    './usr/share/stellarium/landscapes/guereins/*',
    './usr/share/stellarium/landscapes/trees/*',
    './usr/share/doc/stellarium-data/copyright',
]


def _run(cmd, cwd):
    subprocess.run(cmd, cwd=cwd, check=True, stdout=subprocess.DEVNULL)


def _apt_download(package, cwd):
    """apt-get download; on a fresh machine the package lists may be empty, so update once and retry."""
    try:
        _run(['apt-get', 'download', package], cwd)
    except subprocess.CalledProcessError:
        sudo = [] if os.geteuid() == 0 else ['sudo']
        subprocess.run(sudo + ['apt-get', 'update', '-qq'], check=True)
        _run(['apt-get', 'download', package], cwd)


def fetch():
    """Makes sure both packages are downloaded and unpacked; returns (stellarium dir, d3 data dir)."""
    os.makedirs(CACHE, exist_ok=True)
    st_dir = os.path.join(CACHE, 'stellarium')
    d3_dir = os.path.join(CACHE, 'd3')
    st_stamp = os.path.join(st_dir, '.unpacked')
    if not os.path.exists(st_stamp):
        debs = [f for f in os.listdir(CACHE) if f.startswith(STELLARIUM_DEB + '_') and f.endswith('.deb')]
        if not debs:
            _apt_download(STELLARIUM_DEB, CACHE)
            debs = [f for f in os.listdir(CACHE) if f.startswith(STELLARIUM_DEB + '_') and f.endswith('.deb')]
        os.makedirs(st_dir, exist_ok=True)
        deb = os.path.join(CACHE, sorted(debs)[-1])
        tar = subprocess.Popen(['dpkg-deb', '--fsys-tarfile', deb], stdout=subprocess.PIPE)
        subprocess.run(['tar', '-x', '--wildcards', '-C', st_dir] + STELLARIUM_PARTS, stdin=tar.stdout,
                       check=True)
        if tar.wait() != 0:
            raise RuntimeError('could not unpack ' + deb)
        open(st_stamp, 'w').close()
    d3_stamp = os.path.join(d3_dir, '.unpacked')
    if not os.path.exists(d3_stamp):
        tgz = os.path.join(CACHE, 'd3-celestial-0.7.35.tgz')
        if not os.path.exists(tgz):
            _run(['npm', 'pack', '--silent', D3_NPM], CACHE)
        os.makedirs(d3_dir, exist_ok=True)
        _run(['tar', '-xzf', tgz, '-C', d3_dir], CACHE)
        open(d3_stamp, 'w').close()
    return (os.path.join(st_dir, 'usr', 'share', 'stellarium'), os.path.join(d3_dir, 'package', 'data'))
